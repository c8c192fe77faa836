// Where the launcher finds its game tree: KESTREL_HOME, the remembered folder, the
// program directory; and the first-start choices: a folder of the player's, or the
// demo world laid out by the real demo generator in the user's data folder.
#include "app/settings/GameTreeChoice.h"
#include "app/files/DemoWorldLayout.h"
#include "app/settings/SettingsStore.h"
#include "support/ScopedDataHome.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <optional>

namespace {

void WriteGame(const TempTree& tree, const QString& folder)
{
    tree.Write(folder + "/harrow/liblist.gam", "game \"Harrow\"\n");
    tree.Write(folder + "/vrel/liblist.gam", "game \"Kestrel\"\n");
}

// Runs the event loop until the layout reports; its result, or nothing on time-out.
std::optional<bool> WaitForLayout(DemoWorldLayout& layout, int timeoutMs)
{
    std::optional<bool> result;
    const QMetaObject::Connection connection =
        QObject::connect(&layout, &DemoWorldLayout::Finished, [&result](bool ok) { result = ok; });
    QElapsedTimer timer;
    timer.start();
    while (!result && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    QObject::disconnect(connection);
    return result;
}

QString BinDir()
{
    return QString::fromLocal8Bit(qgetenv("KESTREL_BIN_DIR"));
}

class GameTreeChoiceTest : public ::testing::Test
{
protected:
    ScopedSettingsFolder settings;
    TempTree tree;
};

TEST_F(GameTreeChoiceTest, AGameBesideTheProgramIsFound)
{
    WriteGame(tree, "program");
    const GameTreeChoice::Decision decision = GameTreeChoice({}, tree.Abs("program")).Decide();
    EXPECT_EQ(decision.source, GameTreeChoice::Source::ProgramDirectory);
    EXPECT_EQ(decision.folder, tree.Abs("program"));
}

TEST_F(GameTreeChoiceTest, HomeVariableWinsOverEverythingElse)
{
    WriteGame(tree, "program");
    WriteGame(tree, "chosen");
    GameTreeChoice::Remember(tree.Abs("chosen"));
    const GameTreeChoice::Decision decision = GameTreeChoice(tree.Abs("home/"), tree.Abs("program")).Decide();
    EXPECT_EQ(decision.source, GameTreeChoice::Source::Home);
    EXPECT_EQ(decision.folder, tree.Abs("home"));
}

TEST_F(GameTreeChoiceTest, RememberedFolderComesBeforeTheProgramDirectory)
{
    WriteGame(tree, "program");
    WriteGame(tree, "chosen");
    ASSERT_TRUE(GameTreeChoice::ChooseFolder(tree.Abs("chosen")));
    EXPECT_EQ(QString::fromStdString(GetSettingString(kSettingsSection, GameTreeChoice::kGameFolderSetting, "")),
              tree.Abs("chosen"));
    const GameTreeChoice::Decision decision = GameTreeChoice({}, tree.Abs("program")).Decide();
    EXPECT_EQ(decision.source, GameTreeChoice::Source::Remembered);
    EXPECT_EQ(decision.folder, tree.Abs("chosen"));
}

TEST_F(GameTreeChoiceTest, ARememberedFolderThatLostItsGameIsPassedOver)
{
    WriteGame(tree, "chosen");
    GameTreeChoice::Remember(tree.Abs("chosen"));
    ASSERT_TRUE(QDir(tree.Abs("chosen/vrel")).removeRecursively());
    EXPECT_EQ(GameTreeChoice({}, tree.Abs("program")).Decide().source, GameTreeChoice::Source::None);
    WriteGame(tree, "program");
    EXPECT_EQ(GameTreeChoice({}, tree.Abs("program")).Decide().source, GameTreeChoice::Source::ProgramDirectory);
}

TEST_F(GameTreeChoiceTest, AFolderWithoutBothGameDirectoriesIsRefusedAndNotRemembered)
{
    tree.Write("half/harrow/pak0.pak", "PACK");
    EXPECT_FALSE(GameTreeChoice::HoldsGame(tree.Abs("half")));
    EXPECT_FALSE(GameTreeChoice::ChooseFolder(tree.Abs("half")));
    EXPECT_TRUE(GameTreeChoice::Remembered().isEmpty());
    EXPECT_EQ(GameTreeChoice({}, tree.Abs("half")).Decide().source, GameTreeChoice::Source::None);
}

TEST_F(GameTreeChoiceTest, DemoWorldLivesInTheUserDataFolder)
{
    ScopedDataHome data(tree.Abs("data"));
    EXPECT_EQ(GameTreeChoice::DemoWorldFolder(), tree.Abs("data/Harrow/VREL15/demo-world"));
}

TEST_F(GameTreeChoiceTest, DemoGeneratorLaysOutAWorldTheNextStartFinds)
{
    if (BinDir().isEmpty())
        GTEST_SKIP() << "KESTREL_BIN_DIR is not set (the test main sets it)";
    ScopedDataHome data(tree.Abs("data"));
    const GameTreeChoice choice({}, tree.Abs("program"));
    ASSERT_EQ(choice.Decide().source, GameTreeChoice::Source::None);

    const GameTreeChoice fromBuild({}, BinDir());
    DemoWorldLayout layout;
    const QString world = GameTreeChoice::DemoWorldFolder();
    ASSERT_TRUE(layout.Start(fromBuild.DemoGeneratorPath(), world)) << layout.Error().toStdString();
    EXPECT_TRUE(layout.Running());
    const std::optional<bool> ok = WaitForLayout(layout, 60000);
    ASSERT_TRUE(ok.has_value());
    EXPECT_TRUE(*ok) << layout.Error().toStdString();
    EXPECT_FALSE(layout.Running());
    EXPECT_TRUE(GameTreeChoice::HoldsGame(world));
    EXPECT_TRUE(QFile::exists(world + "/vrel/kavcomm.lst"));

    ASSERT_TRUE(GameTreeChoice::ChooseFolder(world));
    const GameTreeChoice::Decision next = choice.Decide();
    EXPECT_EQ(next.source, GameTreeChoice::Source::Remembered);
    EXPECT_EQ(next.folder, world);
}

TEST_F(GameTreeChoiceTest, AMissingGeneratorIsReportedWithoutStarting)
{
    DemoWorldLayout layout;
    EXPECT_FALSE(layout.Start(tree.Abs("nowhere/kestrel-demo"), tree.Abs("world")));
    EXPECT_FALSE(layout.Running());
    EXPECT_TRUE(layout.Error().contains("kestrel-demo"));
}

TEST_F(GameTreeChoiceTest, AGeneratorThatFailsIsReported)
{
    // A stand-in generator that writes nothing and fails.
    tree.Write("bin/kestrel-demo", "#!/bin/sh\necho 'cannot write here' >&2\nexit 1\n");
    QFile::setPermissions(tree.Abs("bin/kestrel-demo"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    DemoWorldLayout layout;
    ASSERT_TRUE(layout.Start(tree.Abs("bin/kestrel-demo"), tree.Abs("world")));
    const std::optional<bool> ok = WaitForLayout(layout, 10000);
    ASSERT_TRUE(ok.has_value());
    EXPECT_FALSE(*ok);
    EXPECT_EQ(layout.Error(), "cannot write here");
    EXPECT_FALSE(GameTreeChoice::HoldsGame(tree.Abs("world")));
}

} // namespace

// Saved games written and read by the real stand-in engine, and listed by the
// launcher's own readers.
#include "EngineFixture.h"
#include "GameSaves.h"
#include "app/saves/SaveFileFormat.h"
#include "app/saves/SaveHeader.h"
#include "app/saves/SavedGameList.h"
#include "app/settings/SettingsStore.h"
#include "support/TempTree.h"

#include <QDateTime>
#include <QDir>
#include <QFile>

namespace {

class EngineSaveTest : public EngineFixture
{
protected:
    // Starts the engine on a local game of the map.
    void PlayLocalGame(const std::string& map = "windward")
    {
        ASSERT_EQ(host.StartEngine(false), 1);
        host.AddCommandText(NewGameCommand(1, map, false));
        host.EngineFrame(true);
        ASSERT_TRUE(host.Status().Playing());
    }

    int Command(const std::string& text)
    {
        host.AddCommandText(text);
        return host.EngineFrame(true);
    }

    std::string Folder() const { return tree.PathStd() + "/vrel/SAVE/"; }

    std::vector<std::string> ListedFiles() const
    {
        std::vector<std::string> names;
        for (const SaveGameEntry& entry : ListSavedGames(Folder()).entries)
            names.push_back(entry.fileName);
        return names;
    }
};

TEST_F(EngineSaveTest, SavesAreListedWithTheirMapTitleAndTime)
{
    PlayLocalGame();
    Command(SaveCommand("Kestrel-000.sav"));
    const SaveGameListing listing = ListSavedGames(Folder());
    ASSERT_EQ(listing.entries.size(), 1u);
    const SaveGameEntry& entry = listing.entries[0];
    EXPECT_EQ(entry.fileName, "Kestrel-000.sav");
    EXPECT_EQ(entry.mapName, "windward");
    EXPECT_EQ(entry.title, "windward");
    EXPECT_EQ(entry.elapsedText, "00:00");
    EXPECT_NE(entry.dateText, "??");

    SaveHeader header;
    ASSERT_TRUE(ReadSaveHeader(Folder() + "Kestrel-000.sav", header));
    EXPECT_EQ(header.comment.size(), kMaxSaveComment);
}

TEST_F(EngineSaveTest, NameWithoutExtensionGetsSav)
{
    PlayLocalGame();
    Command("save quick\n");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Folder() + "quick.sav")));
    const SaveGameListing listing = ListSavedGames(Folder());
    ASSERT_EQ(listing.entries.size(), 1u);
    EXPECT_TRUE(listing.entries[0].quick);
}

TEST_F(EngineSaveTest, ModeSwitchSaveIsNotListed)
{
    PlayLocalGame();
    Command("save KSSave\nsave kssave2\nsave autosave1\n");
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Folder() + "KSSave.sav")));
    EXPECT_EQ(ListedFiles(), std::vector<std::string>{"autosave1.sav"});
}

TEST_F(EngineSaveTest, CommentGivesTitleAndTimeOrUnknownTime)
{
    PlayLocalGame();
    Command("save worded \"Harbour gate      12:34\"\nsave short abc\n");
    SaveGameListing listing = ListSavedGames(Folder());
    ASSERT_EQ(listing.entries.size(), 2u);
    for (const SaveGameEntry& entry : listing.entries) {
        if (entry.fileName == "worded.sav") {
            EXPECT_EQ(entry.title, "Harbour gate");
            EXPECT_EQ(entry.elapsedText, "12:34");
        } else {
            EXPECT_EQ(entry.fileName, "short.sav");
            EXPECT_EQ(entry.title, "abc");
            EXPECT_EQ(entry.elapsedText, "??");
        }
    }
}

TEST_F(EngineSaveTest, VersionOtherThan113IsNotListed)
{
    PlayLocalGame();
    Command("save old\nsave new\n");
    QFile file(QString::fromStdString(Folder() + "old.sav"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.seek(4));
    const char version112[4] = {112, 0, 0, 0};
    ASSERT_EQ(file.write(version112, 4), 4);
    file.close();
    EXPECT_EQ(ListedFiles(), std::vector<std::string>{"new.sav"});
    SaveHeader header;
    EXPECT_FALSE(ReadSaveHeader(Folder() + "old.sav", header));
}

TEST_F(EngineSaveTest, NextFreeNumberFollowsTheSavesAndFillsAGap)
{
    PlayLocalGame();
    for (int n = 0; n < 5; ++n)
        Command(SaveCommand(NumberedSaveName(n)));
    EXPECT_EQ(ListedFiles().size(), 5u);
    EXPECT_EQ(NumberedSaveName(NextFreeSaveName(Folder())), "Kestrel-005.sav");
    ASSERT_TRUE(QFile::remove(QString::fromStdString(Folder() + "Kestrel-002.sav")));
    EXPECT_EQ(NumberedSaveName(NextFreeSaveName(Folder())), "Kestrel-002.sav");
}

TEST_F(EngineSaveTest, ListIsNewestFirst)
{
    PlayLocalGame();
    Command("save first\nsave second\nsave third\n");
    const QDateTime now = QDateTime::currentDateTime();
    const struct
    {
        const char* name;
        int minutesAgo;
    } ages[] = {{"first", 5}, {"second", 60}, {"third", 30}};
    for (const auto& age : ages) {
        QFile file(QString::fromStdString(Folder() + age.name + ".sav"));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(now.addSecs(-60 * age.minutesAgo), QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(ListedFiles(), (std::vector<std::string>{"first.sav", "third.sav", "second.sav"}));
}

TEST_F(EngineSaveTest, SavingWithoutASinglePlayerGameWritesNothing)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    Command("save nothing\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Folder() + "nothing.sav")));
    EXPECT_NE(host.Status().text.find("Can't save"), std::string::npos);

    Command("ip 127.0.0.1\nport 31210\n" + ListenServerCommand(true, 8, "", "Listen", "ashfall"));
    ASSERT_TRUE(host.Status().Playing());
    Command("save listen\n");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Folder() + "listen.sav")));
    EXPECT_NE(host.Status().text.find("multiplayer"), std::string::npos);
}

TEST_F(EngineSaveTest, SaveAndLoadAgainThroughTheLibrary)
{
    PlayLocalGame("stormcrag");
    Command("save cycle\n");
    Command(NewGameCommand(1, "windward", true));
    ASSERT_EQ(host.Status().connectionState, kConnectionPlaying);
    host.StopEngine();
    ASSERT_FALSE(host.Loaded());

    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(Command(LoadCommand("cycle.sav")), kEngineRunning);
    const EngineStatus status = host.Status();
    EXPECT_TRUE(status.Playing());
    EXPECT_EQ(status.localServer, 1);
    // The loaded game is saved again under its own map.
    Command("save again\n");
    SaveHeader header;
    ASSERT_TRUE(ReadSaveHeader(Folder() + "again.sav", header));
    EXPECT_EQ(header.mapName, "stormcrag");
}

TEST_F(EngineSaveTest, MissingOrDamagedSaveIsReportedAndTheMenuComesBack)
{
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(Command("load nowhere\n"), kEngineSuspended);
    EXPECT_EQ(host.State(), kEngineSuspended);
    EXPECT_NE(host.Status().text.find("nowhere"), std::string::npos);
    EXPECT_EQ(host.Status().connectionState, kConnectionNone);

    tree.Write("vrel/SAVE/broken.sav", QByteArray("JSAV\x71\0\0\0garbage", 15));
    ASSERT_TRUE(host.RunEngine(false));
    EXPECT_EQ(Command("load broken.sav\n"), kEngineSuspended);
    EXPECT_NE(host.Status().text.find("damaged"), std::string::npos);
    EXPECT_FALSE(host.Status().Playing());
}

TEST_F(EngineSaveTest, SaveWhoseMapIsGoneIsNotLoaded)
{
    PlayLocalGame("dm_yard");
    Command("save yard\n");
    host.StopEngine();
    ASSERT_TRUE(QFile::remove(tree.Abs("harrow/maps/dm_yard.bsp")));
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(Command(LoadCommand("yard.sav")), kEngineSuspended);
    EXPECT_FALSE(host.Status().Playing());
    EXPECT_NE(host.Status().text.find("its map dm_yard is missing"), std::string::npos) << host.Status().text;
}

TEST_F(EngineSaveTest, NamesThatLeaveTheFolderAreRefused)
{
    EXPECT_EQ(GameSaves::FileName("../outside"), "");
    EXPECT_EQ(GameSaves::FileName("a/b"), "");
    EXPECT_EQ(GameSaves::FileName(".."), "");
    EXPECT_EQ(GameSaves::FileName(""), "");
    EXPECT_EQ(GameSaves::FileName(std::string(GameSaves::kMaxFileName + 1, 'a')), "");
    EXPECT_EQ(GameSaves::FileName("slot"), "slot.sav");
    EXPECT_EQ(GameSaves::FileName("slot.sav"), "slot.sav");

    PlayLocalGame();
    Command("save ../escaped\n");
    EXPECT_FALSE(tree.Exists("vrel/escaped.sav"));
    EXPECT_NE(host.Status().text.find("Can't save"), std::string::npos);
}

TEST_F(EngineSaveTest, GameDirectoryComesFromTheCommandLine)
{
    EXPECT_EQ(GameSaves("kestrel -game vrel -dev").GameDirectory(), "vrel");
    EXPECT_EQ(GameSaves("kestrel +map x").GameDirectory(), "harrow");
    tree.Write("vrel/save/old.txt", "");
    EXPECT_EQ(GameSaves("-game vrel").Folder(), "vrel/save/");
}

TEST_F(EngineSaveTest, RendererSwitchKeepsTheLocalGame)
{
    PlayLocalGame("saltworks");
    SetSettingInt(kSettingsSection, "EngineType", 2);
    ASSERT_EQ(host.StartEngine(false), 1);
    EXPECT_EQ(host.LibraryName(), "hw.so");
    EXPECT_TRUE(tree.Exists("vrel/SAVE/KSSave.sav"));
    EXPECT_TRUE(host.Status().Playing());
    Command("save after\n");
    SaveHeader header;
    ASSERT_TRUE(ReadSaveHeader(Folder() + "after.sav", header));
    EXPECT_EQ(header.mapName, "saltworks");
    SetSettingInt(kSettingsSection, "EngineType", 1);
}

} // namespace

#include "app/CNetGameApp.h"
#include "app/engine/LauncherServiceTable.h"
#include "app/settings/CommandLine.h"
#include "app/settings/HostChecks.h"
#include "app/settings/LauncherState.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/ZorvanInf.h"
#include "app/text/Prompt.h"
#include "platform/InstanceLock.h"
#include "support/TempTree.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

constexpr uint64_t kMB = 1024 * 1024;

class CapturePrompt : public Prompt
{
public:
    CapturePrompt() { SetPrompt(this); }
    ~CapturePrompt() override { SetPrompt(nullptr); }
    int Show(const std::string& text, PromptButtons) override
    {
        texts.push_back(text);
        return kPromptFirst;
    }
    std::vector<std::string> texts;
};

class FakeSteps : public StartupSteps
{
public:
    void RunMainMenu() override
    {
        menuRuns++;
        commandLine = EffectiveCommandLine().Text();
        gameDirectory = Launcher().gameDirectory;
        socketBudget = Launcher().socketBudget;
        tableMmx = LauncherServices().entries[kServiceMmx];
        tableCpuMhz = LauncherServices().entries[kServiceCpuMhz];
        memoryAtMenu = engineMemory;
        memorySizeAtMenu = engineMemorySize;
    }
    void FillEngineServiceTable() override { FillLauncherServiceTable(); }
    void HandEngineMemory(void* block, uint64_t size) override
    {
        engineMemory = block;
        engineMemorySize = size;
    }
    uint64_t PhysicalMemory() override { return memory; }
    int SocketLimit() override { return sockets; }
    bool HasScreen() override { return screen; }

    uint64_t memory = 256 * kMB;
    int sockets = 1024;
    bool screen = true;
    int menuRuns = 0;
    int socketBudget = 0;
    std::string commandLine;
    std::string gameDirectory;
    uintptr_t tableMmx = 99;
    uintptr_t tableCpuMhz = 99;
    void* engineMemory = nullptr;
    uint64_t engineMemorySize = 0;
    void* memoryAtMenu = nullptr;
    uint64_t memorySizeAtMenu = 0;
};

class StartupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_cwd = QDir::currentPath();
        tree.Write("harrow/readme.txt", "base");
        tree.Write("vrel/readme.txt", "game");
    }
    void TearDown() override { QDir::setCurrent(m_cwd); }

    int Run(const std::string& commandLine)
    {
        CNetGameApp app(steps, commandLine, tree.PathStd(), tree.PathStd());
        const int code = app.Run();
        step = app.StepReached();
        return code;
    }

    ScopedSettingsFolder settings;
    TempTree tree;
    FakeSteps steps;
    CapturePrompt prompt;
    int step = 0;

private:
    QString m_cwd;
};

} // namespace

TEST_F(StartupTest, ForcesTheVrelGameAndWritesTheSettingsVersion)
{
    EXPECT_EQ(Run("kestrel -game foo -dev -game bar"), 0);
    ASSERT_EQ(steps.menuRuns, 1);
    EXPECT_EQ(steps.commandLine, "kestrel -dev -game vrel");
    EXPECT_EQ(steps.gameDirectory, tree.PathStd() + "/vrel");
    EXPECT_EQ(GetSettingInt(kSettingsSection, "Version", 0), 1);
    EXPECT_TRUE(prompt.texts.empty());
    // The command line is gone after shut-down.
    EXPECT_FALSE(EffectiveCommandLine().Present());
}

TEST_F(StartupTest, EngineIsGivenTheProcessorValuesAndItsMemoryBlock)
{
    EXPECT_EQ(Run("kestrel -mmx -cpumhz 450 -heapsize 20480"), 0);
    ASSERT_EQ(steps.menuRuns, 1);
    EXPECT_EQ(steps.tableMmx, 1u);
    EXPECT_EQ(steps.tableCpuMhz, 450u);
    EXPECT_NE(steps.memoryAtMenu, nullptr);
    EXPECT_EQ(steps.memorySizeAtMenu, 20480u * 1024);
    // Taken back before the block is freed at shut-down.
    EXPECT_EQ(steps.engineMemory, nullptr);
    EXPECT_EQ(steps.engineMemorySize, 0u);

    Run("kestrel -nommx -cpumhz 300");
    EXPECT_EQ(steps.tableMmx, 0u);
    EXPECT_EQ(steps.tableCpuMhz, 300u);
}

TEST_F(StartupTest, StaleSettingsVersionRemovesOnlyTheProductStore)
{
    QSettings product(QSettings::IniFormat, QSettings::UserScope, "Harrow", "Kestrel");
    product.setValue("Old/Thing", 1);
    product.sync();
    const QString productFile = product.fileName();
    ASSERT_TRUE(QFile::exists(productFile));

    SetSettingInt(kSettingsSection, "Version", 1);
    Run("kestrel");
    EXPECT_TRUE(QFile::exists(productFile)); // 0 and 1 leave it alone
    EXPECT_TRUE(prompt.texts.empty());

    SetSettingInt(kSettingsSection, "Version", 7);
    SetSettingString(kSettingsSection, "Logo", "Skull");
    Run("kestrel");
    EXPECT_FALSE(QFile::exists(productFile));
    ASSERT_EQ(prompt.texts.size(), 1u);
    EXPECT_NE(prompt.texts[0].find("Kestrel"), std::string::npos); // message 446 names the game
    EXPECT_EQ(GetSettingInt(kSettingsSection, "Version", 0), 1);
    EXPECT_EQ(GetSettingString(kSettingsSection, "Logo", ""), "Skull");
}

TEST_F(StartupTest, SecondLauncherStopsSilently)
{
    InstanceLock other("KESTRELLAUNCHER");
    ASSERT_TRUE(other.TryLock());
    EXPECT_EQ(Run("kestrel"), 0);
    EXPECT_EQ(steps.menuRuns, 0);
    EXPECT_EQ(step, 7);
    EXPECT_TRUE(prompt.texts.empty());
    other.Unlock();

    // Once the other launcher is gone, start-up runs and releases the lock again.
    Run("kestrel");
    EXPECT_EQ(steps.menuRuns, 1);
    InstanceLock after("KESTRELLAUNCHER");
    EXPECT_TRUE(after.TryLock());
}

TEST_F(StartupTest, HostChecksStopBeforeTheMenu)
{
    steps.memory = 14 * kMB;
    Run("kestrel");
    EXPECT_EQ(steps.menuRuns, 0);
    ASSERT_EQ(prompt.texts.size(), 1u);
    EXPECT_NE(prompt.texts[0].find("14336"), std::string::npos); // memory in KB

    prompt.texts.clear();
    steps.memory = 256 * kMB;
    steps.screen = false;
    Run("kestrel");
    EXPECT_EQ(steps.menuRuns, 0);
    EXPECT_EQ(prompt.texts.size(), 1u);
}

TEST_F(StartupTest, SocketBudgetKeepsEightInReserve)
{
    steps.sockets = 12;
    Run("kestrel");
    EXPECT_EQ(steps.socketBudget, 1);
    EXPECT_EQ(prompt.texts.size(), 1u);

    prompt.texts.clear();
    steps.sockets = 13;
    Run("kestrel");
    EXPECT_EQ(steps.socketBudget, 5);
    EXPECT_TRUE(prompt.texts.empty());
}

TEST_F(StartupTest, ReadsZorvanInfAndTheLauncherValues)
{
    tree.Write("zorvan.inf", "[ident]\r\npatchversion=2.0.0.9\r\n");
    Run("kestrel");
    EXPECT_EQ(Launcher().patchVersion, "2.0.0.9");
    EXPECT_EQ(Launcher().shortTitle, "KESTREL");
}

TEST(ZorvanInf, KeysAreFoundIgnoringCaseAnywhereInTheSection)
{
    auto ident = ParseZorvanInf("[Other]\nPatchVersion=9\n[IDENT]\nShortTitle = KST\nPATCHVERSION=1.2\n");
    EXPECT_EQ(ident.patchVersion, "1.2");
    EXPECT_EQ(ident.shortTitle, "KST");

    ident = ParseZorvanInf("[Ident]\nNote=x\n");
    EXPECT_EQ(ident.patchVersion, "1.0.1.4");
    EXPECT_EQ(ident.shortTitle, "KESTREL");

    // A section that fills the reader's whole buffer keeps the defaults.
    ident = ParseZorvanInf("[Ident]\nPatchVersion=3\nPad=" + std::string(17000, 'p') + "\n");
    EXPECT_EQ(ident.patchVersion, "1.0.1.4");

    ident = ReadZorvanInf("/nonexistent/zorvan.inf");
    EXPECT_EQ(ident.patchVersion, "1.0.1.4");
}

TEST(EngineHeap, SizeFollowsMemoryAndOptions)
{
    EffectiveCommandLine() = CommandLine("kestrel");
    EXPECT_EQ(EngineHeapSize(16 * kMB), kSmallHeap);
    EXPECT_EQ(EngineHeapSize(64 * kMB), 32 * kMB);
    EXPECT_EQ(EngineHeapSize(80 * kMB), 40 * kMB);
    EXPECT_EQ(EngineHeapSize(128 * kMB), kLargeHeap);
    EffectiveCommandLine() = CommandLine("kestrel -heapsize 20000");
    EXPECT_EQ(EngineHeapSize(128 * kMB), 20000u * 1024);
    EffectiveCommandLine() = CommandLine("kestrel -heapsize 20000 -minmemory");
    EXPECT_EQ(EngineHeapSize(128 * kMB), kSmallHeap);
    EffectiveCommandLine() = CommandLine();
}

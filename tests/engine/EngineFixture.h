#pragma once
// A launcher engine host over the real engine libraries in KESTREL_BIN_DIR, with a
// peer game server on 127.0.0.1 in the same process. The engine gets a memory block
// and the launcher service table, and runs in a game tree of its own (the working
// directory) with the maps the tests play.
#include "app/engine/EngineCommands.h"
#include "app/engine/EngineHost.h"
#include "app/engine/EngineLibraryLoader.h"
#include "app/engine/EngineWindow.h"
#include "app/engine/LauncherServiceTable.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/Prompt.h"
#include "peer/PeerGameServer.h"
#include "support/PakBuilder.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class SilentPrompt : public Prompt
{
public:
    int Show(const std::string& text, PromptButtons) override
    {
        shown.push_back(text);
        return kPromptFirst;
    }
    std::vector<std::string> shown;
};

class EngineFixture : public ::testing::Test
{
protected:
    // The engine libraries lie beside the test program; KESTREL_BIN_DIR names
    // another folder.
    static std::string BinDir()
    {
        const char* dir = std::getenv("KESTREL_BIN_DIR");
        return dir && *dir ? dir : QCoreApplication::applicationDirPath().toStdString();
    }

    static constexpr size_t kEngineMemory = 4 * 1024 * 1024;

    void SetUp() override
    {
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        SetPrompt(&prompt);
        display.SetHost(&host);
        host.SetQuitHandler([this](int code) { quitCodes.push_back(code); });
        host.SetEngineMemory(memory.data(), memory.size());
        FillLauncherServiceTable();

        // Loose maps in the base directory, archived ones in the game directory.
        tree.Write("vrel/liblist.gam", "game \"Kestrel\"\n");
        for (const char* map : {"dm_yard", "dm_arena"})
            tree.Write(QString("harrow/maps/%1.bsp").arg(map), BuildMap(30, "{\"classname\" \"worldspawn\"}"));
        std::vector<PakItem> archived;
        for (const char* map : {"windward", "ashfall", "stormcrag", "saltworks"})
            archived.push_back({std::string("maps/") + map + ".bsp", BuildMap(30, "{}")});
        tree.Write("vrel/pak0.pak", BuildPak(archived));
        m_previousDirectory = QDir::currentPath();
        // The launcher runs the engine from its base directory.
        ASSERT_TRUE(QDir::setCurrent(tree.Path()));
    }

    void TearDown() override
    {
        host.StopEngine();
        display.DestroyEngineWindow();
        SetPrompt(nullptr);
        EffectiveCommandLine() = CommandLine();
        QDir::setCurrent(m_previousDirectory);
    }

    PeerGameServer& StartServer(GameServerConfig config)
    {
        config.port = 0;
        servers.push_back(std::make_unique<PeerGameServer>(config));
        EXPECT_TRUE(servers.back()->Start());
        return *servers.back();
    }

    // Runs frames and the event loop until done() or the time runs out.
    bool RunUntil(const std::function<bool()>& done, int timeoutMs = 3000)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            host.EngineFrame(true);
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (done())
                return true;
        }
        return false;
    }

    // Joins as the launcher does and waits until the game is active or the attempt
    // failed.
    EngineStatus Join(uint16_t port, const std::string& name = "Ann")
    {
        host.AddCommandText(JoinCommand(name, "127.0.0.1", port));
        RunUntil([this] {
            const EngineStatus status = host.Status();
            return status.Playing() || status.connectionState == kConnectionNone;
        });
        return host.Status();
    }

    TempTree tree;
    std::vector<uint8_t> memory = std::vector<uint8_t>(kEngineMemory);
    SilentPrompt prompt;
    DlopenEngineLoader loader;
    QtEngineDisplay display;
    EngineHost host{loader, display, BinDir()};
    std::vector<std::unique_ptr<PeerGameServer>> servers;
    std::vector<int> quitCodes;

private:
    QString m_previousDirectory;
};

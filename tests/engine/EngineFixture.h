#pragma once
// A launcher engine host over the real engine libraries in KESTREL_BIN_DIR, with a
// peer game server on 127.0.0.1 in the same process.
#include "app/CommandLine.h"
#include "app/EngineCommands.h"
#include "app/EngineHost.h"
#include "app/EngineLibraryLoader.h"
#include "app/EngineWindow.h"
#include "app/Prompt.h"
#include "app/QtEngineDisplay.h"
#include "peer/PeerGameServer.h"

#include <QCoreApplication>
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

    void SetUp() override
    {
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        SetPrompt(&prompt);
        display.SetHost(&host);
        host.SetQuitHandler([this](int code) { quitCodes.push_back(code); });
    }

    void TearDown() override
    {
        host.StopEngine();
        display.DestroyEngineWindow();
        SetPrompt(nullptr);
        EffectiveCommandLine() = CommandLine();
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

    // Joins as the launcher does and waits for the attempt to end.
    EngineStatus Join(uint16_t port, const std::string& name = "Ann")
    {
        host.AddCommandText(JoinCommand(name, "127.0.0.1", port));
        RunUntil([this] {
            const int state = host.Status().connectionState;
            return state == kConnectionPlaying || state == kConnectionNone;
        });
        return host.Status();
    }

    SilentPrompt prompt;
    DlopenEngineLoader loader;
    QtEngineDisplay display;
    EngineHost host{loader, display, BinDir()};
    std::vector<std::unique_ptr<PeerGameServer>> servers;
    std::vector<int> quitCodes;
};

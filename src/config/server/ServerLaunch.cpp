#include "config/server/ServerLaunch.h"

#include "app/engine/EngineHost.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/settings/LauncherState.h"
#include "app/text/Messages.h"
#include "config/server/ServerCommandText.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStringList>

#include <strings.h>

namespace {

constexpr const char* kBaseGameDirectory = "harrow";

std::function<void()>& QuitHandler()
{
    static std::function<void()> quit;
    return quit;
}

std::vector<std::string>& Binding()
{
    static std::vector<std::string> binding;
    return binding;
}

qint64 g_lastProcess = 0;

} // namespace

void SetDedicatedServerBinding(std::vector<std::string> arguments)
{
    Binding() = std::move(arguments);
}

long long LastDedicatedServerProcess()
{
    return g_lastProcess;
}

void SetServerQuitHandler(std::function<void()> quit)
{
    QuitHandler() = std::move(quit);
}

std::string DedicatedServerGameDirectory()
{
    const ActiveCustomGameInfo* game = ActiveCustomGame();
    if (!game || game->gamedir.empty() || strcasecmp(game->gamedir.c_str(), kBaseGameDirectory) == 0)
        return {};
    return game->gamedir;
}

bool StartDedicatedServer(const CreateServerRequest& request)
{
    const QString program = QString::fromStdString(Launcher().programDirectory) + "/" + kDedicatedServerProgram;
    QStringList arguments;
    for (const std::string& argument : DedicatedServerArguments(request, DedicatedServerGameDirectory()))
        arguments << QString::fromStdString(argument);
    for (const std::string& argument : Binding())
        arguments << QString::fromStdString(argument);
    // Found beside the launcher only, never through PATH.
    qint64 process = 0;
    if (!QFileInfo(program).isExecutable() ||
        !QProcess::startDetached(program, arguments, QString::fromStdString(Launcher().baseDirectory), &process)) {
        ShowText(kDedicatedServerMissing);
        return false;
    }
    g_lastProcess = process;
    TheEngineHost().StopEngine();
    if (QuitHandler())
        QuitHandler()();
    else
        QCoreApplication::exit(0);
    return true;
}

bool StartListenServer(const CreateServerRequest& request)
{
    std::string text = ListenServerCommandText(request);
    EngineHost& host = TheEngineHost();
    if (host.Loaded())
        host.AddCommandText(text);
    host.EngineFrame(false);
    // RunEngine adds the line end itself.
    text.pop_back();
    return host.RunEngine(false, text);
}

bool StartRequestedServer(const CreateServerRequest& request)
{
    EngineHost& host = TheEngineHost();
    if (host.Loaded())
        host.AddCommandText("disconnect\n");
    return request.dedicated ? StartDedicatedServer(request) : StartListenServer(request);
}

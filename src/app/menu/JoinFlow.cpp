#include "app/menu/JoinFlow.h"

#include "app/engine/EngineCommands.h"
#include "app/menu/ConnectLoop.h"
#include "app/menu/JoinEngine.h"
#include "app/menu/QuickStartSource.h"
#include "app/settings/CommandLine.h"
#include "app/text/Messages.h"
#include "app/text/StringList.h"
#include "ui/InputPrompt.h"

#include <strings.h>

namespace {

constexpr const char* kPasswordVariable = "password";
constexpr const char* kNoPassword = "none";
constexpr const char* kDefaultPlayerName = "Player";

} // namespace

JoinFlow::JoinFlow(JoinEngine& engine) : m_engine(engine)
{
    m_playerName = [] { return std::string(kDefaultPlayerName); };
}

bool JoinFlow::AcceptablePassword(const std::string& password)
{
    return !password.empty() && password.size() <= kMaxPassword;
}

std::string JoinFlow::FailureReason(const std::string& statusText)
{
    const size_t colon = statusText.find(':');
    return colon == std::string::npos ? std::string(kDefaultFailureText) : statusText.substr(colon + 1);
}

bool JoinFlow::AskPassword(std::string& password)
{
    const std::optional<std::string> answer =
        CurrentInputPrompt().Ask(GetString(kMessagePassword), kPasswordInputLimit);
    if (!answer || !AcceptablePassword(*answer))
        return false;
    password = *answer;
    return true;
}

bool JoinFlow::PreparePassword(std::string& command)
{
    std::string password;
    // An option without a value counts as absent, so a bare "+password" leaves
    // "-password" to be consulted.
    if (m_engine.Loaded()) {
        password = m_engine.ConsoleVariable(kPasswordVariable);
    } else {
        password = OptionValue("+password");
        if (password.empty())
            password = OptionValue("-password");
    }
    // A known password that the engine could not be given is asked for again.
    if (!AcceptablePassword(password) || strcasecmp(password.c_str(), kNoPassword) == 0) {
        if (!AskPassword(password))
            return false;
    }
    command = PasswordCommand(password);
    return true;
}

void JoinFlow::SendConnect(const JoinTarget& server)
{
    const std::string name = m_playerName();
    m_engine.AddCommandText(server.addressHasPort ? JoinCommand(name, server.address)
                                                  : JoinCommand(name, server.address, server.port));
}

bool JoinFlow::JoinServer(const JoinTarget* server)
{
    m_noServerFound = false;
    m_ended = false;
    if (server && server->protocol != 0 && server->protocol != kProtocolVersion) {
        ShowMessage(kMessageOtherProtocol);
        return false;
    }
    std::string passwordCommand;
    if (server && server->needsPassword && !PreparePassword(passwordCommand))
        return false;
    if (!m_engine.Start())
        return false;

    if (!passwordCommand.empty())
        m_engine.AddCommandText(passwordCommand);
    m_engine.Frame();
    m_engine.Notify(kNotifyJoinStarts);

    ConnectLoop loop(m_engine, [this](const JoinTarget& target) { SendConnect(target); });
    std::unique_ptr<QuickStartSource> source = server ? nullptr : MakeQuickStartSource();
    m_engine.SetBusy(true);
    const bool connected = loop.Run(server, source.get());
    m_engine.SetBusy(false);
    m_noServerFound = loop.NoServerFound();
    if (loop.Ended()) {
        // The engine quit or the launcher is ending: nothing is left to tell the
        // engine, and the menu is not brought back.
        m_ended = true;
        return false;
    }

    m_engine.SetConsoleVariable(kConnectMessage, "0");
    m_engine.SetConsoleVariable(kConnectMessage1, "0");
    m_engine.SetConsoleVariable(kConnectMessage2, "0");
    const bool joined = connected && m_engine.Status().Playing();
    m_engine.Notify(kNotifyJoinEnded);

    if (!joined || m_engine.State() == kEngineSuspended) {
        m_engine.SetBackground(false);
        m_engine.Suspend();
        return false;
    }
    m_engine.AddCommandText(kCommandHideConsole);
    return true;
}

bool JoinFlow::AfterFailedJoin()
{
    const std::string text = m_engine.Status().text;
    if (text.find(kBadPasswordMarker) != std::string::npos) {
        std::string password;
        if (!AskPassword(password))
            return false;
        m_engine.AddCommandText(PasswordCommand(password));
        // One frame runs the text, so the next join reads the new password back.
        m_engine.Frame();
        return true;
    }
    ShowFormattedMessage(kMessageJoinFailed, FailureReason(text).c_str());
    return false;
}

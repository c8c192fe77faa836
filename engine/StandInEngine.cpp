#include "StandInEngine.h"

#include "EngineClock.h"
#include "EngineKind.h"

#include <QDir>
#include <QEvent>
#include <QFile>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kKeyY = 'y';
constexpr int kKeyN = 'n';
constexpr int kKeyConsole = '`';
constexpr int kMaxCommandsPerFrame = 256;
constexpr int kMaxExecDepth = 8;
// Scripts one exec may run in all, its nested ones included: a script that execs
// itself several times would otherwise multiply at every level.
constexpr int kMaxNestedExecs = 256;
constexpr qint64 kMaxScriptBytes = 64 * 1024;
constexpr const char* kConfigScript = "config.cfg";
// The stand-in's own saved state: the seconds played.
constexpr const char* kPlayedKey = "played ";

bool IsCommand(const std::string& word, const char* name)
{
    return strcasecmp(word.c_str(), name) == 0;
}

std::string Rest(const std::vector<std::string>& words, size_t from)
{
    std::string text;
    for (size_t i = from; i < words.size(); ++i) {
        if (i > from)
            text += ' ';
        text += words[i];
    }
    return text;
}

} // namespace

StandInEngine::StandInEngine(const char* commandLine, QWidget* window, const HandOffReport& handOff)
    : m_saves(commandLine ? commandLine : ""), m_maps(m_saves.GameDirectory()), m_window(window)
{
    Print(std::string("Kestrel stand-in engine (") + EngineKindName() + ")");
    NoteHandOff(handOff);
    if (commandLine && std::strcmp(commandLine, "empty") != 0)
        m_commands.Add(CommandLineCommands(commandLine));
    // The player's configuration runs before the command line's commands.
    m_commands.Insert(std::string("exec ") + kConfigScript);
}

void StandInEngine::Exec(const std::string& fileName)
{
    if (m_execDepth == 0)
        m_nestedExecs = 0;
    if (fileName.empty() || fileName.find("..") != std::string::npos || fileName[0] == '/' ||
        m_execDepth >= kMaxExecDepth || ++m_nestedExecs > kMaxNestedExecs) {
        Print("exec: refused " + fileName);
        return;
    }
    // The game directory first, then the base game, folder names in any case.
    QFile file;
    for (const std::string& directory : {m_saves.GameDirectory(), std::string(GameSaves::kDefaultGame)}) {
        QDir dir(QString::fromStdString(directory));
        if (!dir.exists()) {
            for (const QString& entry : QDir::current().entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                if (entry.compare(QString::fromStdString(directory), Qt::CaseInsensitive) == 0)
                    dir = QDir(entry);
        }
        file.setFileName(dir.filePath(QString::fromStdString(fileName)));
        if (file.open(QIODevice::ReadOnly))
            break;
    }
    if (!file.isOpen()) {
        Print("couldn't exec " + fileName);
        return;
    }
    const QByteArray bytes = file.read(kMaxScriptBytes);
    std::string executed = m_variables.Get("sys_exec");
    m_variables.Set("sys_exec", executed.empty() || executed == "0" ? fileName : executed + ' ' + fileName);
    ++m_execDepth;
    // Inserted scripts run before the commands that follow the exec.
    if (!m_commands.Insert(WithoutComments(std::string(bytes.constData(), size_t(bytes.size()))) + "\nsys_execdone")) {
        --m_execDepth;
        Print("exec: " + fileName + " is too long");
    }
}

void StandInEngine::Bind(const std::string& key, const std::string& command)
{
    std::string lower = key;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (command.empty())
        m_bindings.erase(lower);
    else
        m_bindings[lower] = command;
    m_variables.Set("sys_bind_" + lower, command);
    m_variables.Set("sys_bindcount", std::to_string(m_bindings.size()));
}

void StandInEngine::UnbindAll()
{
    for (const auto& binding : m_bindings)
        m_variables.Set("sys_bind_" + binding.first, "");
    m_bindings.clear();
    m_variables.Set("sys_bindcount", "0");
}

void StandInEngine::SetInfo(const std::string& name, const std::string& value)
{
    m_variables.Set(name, value);
    std::string info = m_variables.Get("sys_userinfo");
    if (info == "0")
        info.clear();
    // Replace the pair when the name is there already.
    const std::string key = "\\" + name + "\\";
    std::string rebuilt;
    size_t at = 0;
    while (at < info.size()) {
        const size_t nameEnd = info.find('\\', at + 1);
        if (nameEnd == std::string::npos)
            break;
        size_t valueEnd = info.find('\\', nameEnd + 1);
        if (valueEnd == std::string::npos)
            valueEnd = info.size();
        const std::string pairName = info.substr(at + 1, nameEnd - at - 1);
        if (strcasecmp(pairName.c_str(), name.c_str()) != 0)
            rebuilt += info.substr(at, valueEnd - at);
        at = valueEnd;
    }
    m_variables.Set("sys_userinfo", rebuilt + key + value);
}

void StandInEngine::PlusCommand(const std::string& command)
{
    std::string list = m_variables.Get("sys_plus");
    if (list == "0")
        list.clear();
    for (const std::string& word : CommandText::Split(list))
        if (strcasecmp(word.c_str(), command.c_str()) == 0)
            return;
    m_variables.Set("sys_plus", list.empty() ? command : list + ' ' + command);
}

void StandInEngine::NoteHandOff(const HandOffReport& handOff)
{
    m_variables.Set("sys_mmx", std::to_string(handOff.mmx));
    m_variables.Set("sys_cpumhz", std::to_string(handOff.cpuMhz));
    m_variables.Set("sys_memory", std::to_string(handOff.memorySize));
    m_variables.Set("sys_services_missing", handOff.MissingText());
    m_variables.Set("sys_mode", handOff.modeText);
    m_variables.Set("sys_surfcache", std::to_string(handOff.surfaceCache));
    Print(handOff.Summary());
}

void StandInEngine::Print(const std::string& line)
{
    m_console.push_back(line);
    while (m_console.size() > kConsoleLines)
        m_console.pop_front();
}

void StandInEngine::SetStatusText(const std::string& text)
{
    m_statusText = text.substr(0, kMaxStatusText);
}

void StandInEngine::AddCommandText(const char* text)
{
    if (text && !m_commands.Add(text))
        Print("Command buffer overflow; command text dropped.");
}

void StandInEngine::AddConsoleCommand(const char* name, EngineConsoleCommandFn handler)
{
    if (name && handler)
        m_externalCommands[name] = handler;
}

void StandInEngine::SetVariable(const char* name, const char* value)
{
    if (name)
        m_variables.Set(name, value ? value : "");
    Refresh();
}

const char* StandInEngine::VariableText(const char* name)
{
    m_variableReply = name ? m_variables.Get(name) : std::string();
    return m_variableReply.c_str();
}

int StandInEngine::FillStatus(uint8_t* record)
{
    std::memset(record, 0, kEngineStatusRecordBytes);
    const int32_t maxClients = m_localGame ? int32_t(m_variables.Number("maxplayers", 1)) : 0;
    const int32_t localServer = m_localGame ? 1 : 0;
    const int32_t state = m_connectionState;
    const int32_t active = m_connectionState == kConnectionPlaying && m_active ? 1 : 0;
    std::memcpy(record + kStatusMaxClientsOffset, &maxClients, 4);
    std::memcpy(record + kStatusLocalServerOffset, &localServer, 4);
    if (m_localGame) {
        const uint8_t loopback[4] = {127, 0, 0, 1};
        std::memcpy(record + kStatusAddressOffset, loopback, 4);
    } else if (m_connectionState != kConnectionNone) {
        std::memcpy(record + kStatusAddressOffset, m_connection.Address().data(), 4);
    }
    std::memcpy(record + kStatusTextOffset, m_statusText.c_str(), m_statusText.size() + 1);
    std::memcpy(record + kStatusConnectionOffset, &state, 4);
    std::memcpy(record + kStatusActiveOffset, &active, 4);
    return 1;
}

int StandInEngine::RunFrame(double seconds, int state, int* request)
{
    if (request)
        *request = 0;
    m_music.Frame();
    std::vector<std::string> words;
    for (int i = 0; i < kMaxCommandsPerFrame && m_commands.Next(words); ++i)
        Execute(words);

    if (m_connectionState == kConnectionNegotiating) {
        m_connection.Poll(EngineSeconds());
        switch (m_connection.CurrentPhase()) {
        case ServerConnection::Phase::Connected:
            // Connected, but the game loads before it becomes active.
            m_connectionState = kConnectionPlaying;
            m_active = false;
            m_activeAt = EngineSeconds() + std::max(0.0, m_variables.Number("cl_signon", kDefaultSignonSeconds));
            m_map = m_connection.Map();
            SetStatusText(m_connection.Message() + "; the game is loading...");
            Print(m_connection.Message());
            break;
        case ServerConnection::Phase::Failed:
            m_connectionState = kConnectionNone;
            SetStatusText(m_connection.Message());
            Print(m_connection.Message());
            break;
        default:
            SetStatusText(m_connection.Message());
            break;
        }
    } else if (m_connectionState == kConnectionPlaying) {
        m_connection.Poll(EngineSeconds()); // keeps a joined server's connection alive
    }
    m_listen.Poll();
    if (m_connectionState == kConnectionPlaying && !m_active && EngineSeconds() >= m_activeAt) {
        m_active = true;
        SetStatusText(m_connection.Message());
    }
    Refresh();

    if (m_quit)
        return kEngineQuitting;
    if (m_leaveToMenu) {
        m_leaveToMenu = false;
        return kEngineSuspended;
    }
    return state == kEngineSuspended ? kEngineSuspended : kEngineRunning;
}

void StandInEngine::Execute(const std::vector<std::string>& words)
{
    const std::string& command = words[0];
    if (IsCommand(command, "connect")) {
        if (words.size() < 2)
            Print("usage: connect <server>");
        else
            Connect(words[1]);
    } else if (IsCommand(command, "disconnect")) {
        Disconnect();
    } else if (IsCommand(command, "quit")) {
        if (words.size() > 1 && IsCommand(words[1], "prompt"))
            m_quitPrompt = true;
        else
            m_quit = true;
    } else if (IsCommand(command, "map")) {
        if (words.size() < 2) {
            Print("usage: map <name>");
        } else if (!m_maps.Exists(words[1])) {
            // The game goes on; without one the menu comes back.
            SetStatusText("Couldn't start a game: there is no map " + words[1] + ".");
            Print(m_statusText);
            if (m_connectionState == kConnectionNone)
                m_leaveToMenu = true;
        } else {
            StartLocalGame(words[1]);
        }
    } else if (IsCommand(command, "hideconsole")) {
        m_consoleVisible = false;
    } else if (IsCommand(command, "toggleconsole")) {
        m_consoleVisible = !m_consoleVisible;
    } else if (IsCommand(command, "echo")) {
        Print(Rest(words, 1));
    } else if (IsCommand(command, "save")) {
        if (words.size() < 2)
            Print("usage: save <name> [comment]");
        else
            SaveGame(words[1], Rest(words, 2));
    } else if (IsCommand(command, "load")) {
        if (words.size() < 2)
            Print("usage: load <name>");
        else
            LoadGame(words[1]);
    } else if (IsCommand(command, "exec")) {
        if (words.size() < 2)
            Print("usage: exec <file>");
        else
            Exec(words[1]);
    } else if (IsCommand(command, "sys_execdone")) {
        m_execDepth = std::max(0, m_execDepth - 1);
    } else if (IsCommand(command, "unbindall")) {
        UnbindAll();
    } else if (IsCommand(command, "bind")) {
        if (words.size() == 2)
            Print("\"" + words[1] + "\" = \"" + m_variables.Get("sys_bind_" + words[1]) + "\"");
        else if (words.size() >= 3)
            Bind(words[1], Rest(words, 2));
    } else if (IsCommand(command, "setinfo")) {
        if (words.size() >= 3)
            SetInfo(words[1], Rest(words, 2));
    } else if (command[0] == '+' && words.size() == 1) {
        PlusCommand(command);
    } else if (IsCommand(command, "setmaster")) {
        Print("setmaster " + Rest(words, 1));
    } else if (const EngineConsoleCommandFn handler = ExternalCommand(command)) {
        m_commandWords = words;
        handler();
        m_commandWords.clear();
    } else if (words.size() >= 2) {
        m_variables.Set(command, Rest(words, 1));
    } else if (m_variables.Has(command)) {
        Print("\"" + command + "\" is \"" + m_variables.Get(command) + "\"");
    } else {
        Print("Unknown command \"" + command + "\"");
    }
}

void StandInEngine::Connect(const std::string& address)
{
    Disconnect();
    const double timeout = m_variables.Number("cl_connecttimeout", 15.0);
    const double resend = m_variables.Number("cl_resend", 1.0);
    Print("Connecting to " + address + "...");
    if (m_connection.Start(address, m_variables.Get("name"), m_variables.Get("password"), EngineSeconds(), timeout,
                           resend)) {
        m_connectionState = kConnectionNegotiating;
        SetStatusText(m_connection.Message());
    } else {
        m_connectionState = kConnectionNone;
        SetStatusText(m_connection.Message());
        Print(m_connection.Message());
    }
}

void StandInEngine::Disconnect()
{
    if (m_connectionState == kConnectionNone)
        return; // the last refusal stays readable in the status text
    m_connection.Disconnect();
    m_listen.Stop();
    m_connectionState = kConnectionNone;
    m_active = false;
    m_localGame = false;
    m_map.clear();
    SetStatusText("Disconnected.");
    Print("Disconnected.");
    m_music.GameEnded();
}

void StandInEngine::StartLocalGame(const std::string& map)
{
    Disconnect();
    m_localGame = true;
    m_map = map;
    m_connectionState = kConnectionPlaying;
    m_active = true;
    m_gameStarted = EngineSeconds();
    SetStatusText("");
    Print("Playing " + map + " on this machine.");
    if (m_variables.Number("maxplayers", 1) > 1)
        StartListenServer();
    m_music.MapStarted();
}

void StandInEngine::StartListenServer()
{
    ListenServer::Settings settings;
    settings.address = m_variables.Get("ip");
    const double port = m_variables.Number("port", ListenServer::kFirstPort);
    settings.firstPort = port >= 1 && port <= 65535 ? uint16_t(port) : ListenServer::kFirstPort;
    settings.hostName = m_variables.Get("hostname");
    settings.map = m_map;
    settings.gameDirectory = m_saves.GameDirectory();
    settings.password = m_variables.Get("sv_password");
    settings.playerName = m_variables.Get("name");
    settings.maxPlayers = int(std::clamp(m_variables.Number("maxplayers", 1), 1.0, 32.0));
    settings.lan = m_variables.Number("sv_lan", 0) != 0;
    std::string error;
    if (m_listen.Start(settings, error)) {
        m_variables.Set("sv_listenport", std::to_string(m_listen.Port()));
        Print("Listen server on port " + std::to_string(m_listen.Port()) + ".");
    } else {
        m_variables.Set("sv_listenport", "0");
        Print("No listen server: " + error + ".");
    }
}

void StandInEngine::SaveFailed(const std::string& text)
{
    SetStatusText(text);
    Print(text);
}

bool StandInEngine::SaveGame(const std::string& name, const std::string& comment)
{
    if (!m_localGame || m_connectionState != kConnectionPlaying) {
        SaveFailed("Can't save: no game is being played on this machine.");
        return false;
    }
    if (m_variables.Number("maxplayers", 1) > 1) {
        SaveFailed("Can't save multiplayer games.");
        return false;
    }
    const std::string file = GameSaves::FileName(name);
    const int played = int(std::max(0.0, EngineSeconds() - m_gameStarted));
    SaveGameInfo info;
    info.mapName = m_map;
    info.comment = comment.empty() ? SaveComment(m_map, played) : comment;
    info.elapsedSeconds = float(played);
    info.payload = kPlayedKey + std::to_string(played) + "\n";
    std::string reason;
    if (!m_saves.Save(file, info, reason)) {
        SaveFailed("Can't save " + name + ": " + reason + ".");
        return false;
    }
    Print("Saved " + file + ".");
    return true;
}

bool StandInEngine::LoadGame(const std::string& name)
{
    const std::string file = GameSaves::FileName(name);
    SaveGameInfo info;
    std::string reason;
    const bool read = m_saves.Load(file, info, reason);
    if (read && !m_maps.Exists(info.mapName))
        reason = "its map " + info.mapName + " is missing";
    if (!read || !reason.empty()) {
        SaveFailed("Can't load " + name + ": " + reason + ".");
        // Without a game to return to, the menu comes back.
        if (m_connectionState == kConnectionNone)
            m_leaveToMenu = true;
        return false;
    }
    StartLocalGame(info.mapName);
    int played = 0;
    if (info.payload.compare(0, std::strlen(kPlayedKey), kPlayedKey) == 0)
        played = std::atoi(info.payload.c_str() + std::strlen(kPlayedKey));
    m_gameStarted -= std::max(0, played);
    Print("Loaded " + file + ".");
    return true;
}

void StandInEngine::KeyEvent(int key, bool down)
{
    if (!down)
        return;
    if (m_quitPrompt) {
        if (key == kKeyY)
            m_quit = true;
        if (key == kKeyY || key == kKeyN || key == kKeyEscape)
            m_quitPrompt = false;
        return;
    }
    if (key == kKeyEscape)
        m_leaveToMenu = true;
    else if (key == kKeyConsole)
        m_consoleVisible = !m_consoleVisible;
}

void StandInEngine::Shutdown()
{
    m_listen.Stop();
    m_connection.Disconnect();
    m_connectionState = kConnectionNone;
    m_active = false;
}

EngineConsoleCommandFn StandInEngine::ExternalCommand(const std::string& name) const
{
    for (const auto& [registered, handler] : m_externalCommands)
        if (IsCommand(name, registered.c_str()))
            return handler;
    return nullptr;
}

void StandInEngine::AttachLauncherMusic(const void* services)
{
    m_music.Attach(services);
    m_music.Register();
}

const char* StandInEngine::CommandArg(int index) const
{
    if (index < 0 || size_t(index) >= m_commandWords.size())
        return "";
    return m_commandWords[size_t(index)].c_str();
}

void StandInEngine::ConsolePrint(const char* text)
{
    if (!text)
        return;
    m_printPending += text;
    for (size_t end; (end = m_printPending.find('\n')) != std::string::npos;) {
        Print(m_printPending.substr(0, end));
        m_printPending.erase(0, end + 1);
    }
}

StandInEngine::View StandInEngine::CurrentView() const
{
    View view;
    view.engineKind = EngineKindName();
    view.map = m_map;
    if (m_localGame)
        view.server = "this machine";
    else if (m_connectionState != kConnectionNone)
        view.server = m_connection.HostName().empty()
                          ? m_connection.AddressText()
                          : m_connection.HostName() + " (" + m_connection.AddressText() + ")";
    view.statusText = m_statusText;
    view.connectMessages[0] = m_variables.Get("scr_connectmsg");
    view.connectMessages[1] = m_variables.Get("scr_connectmsg1");
    view.connectMessages[2] = m_variables.Get("scr_connectmsg2");
    view.connectionState = m_connectionState;
    view.active = m_active;
    view.quitPrompt = m_quitPrompt;
    view.consoleVisible = m_consoleVisible;
    view.console = m_console;
    return view;
}

void StandInEngine::Refresh()
{
    if (m_window && m_window->isVisible())
        m_window->update();
}

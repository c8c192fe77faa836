#pragma once
// The stand-in engine: console variables, command text, a connection to a game server
// through the connect handshake, a local game for "map" that "save" and "load" keep in
// save files, and a window that shows what the game would show. It runs one frame
// per call of the frame entry.
//
// It keeps the contract as strictly as a real engine: "map" refuses maps that do not
// exist; a connection accepted by the server stays inactive (state 5, active word 0)
// for "cl_signon" seconds while the game loads; refusals read "What failed: why", as
// the launcher shows what follows the first colon. What the launcher handed over when
// it initialised the engine is in the variables "sys_mmx", "sys_cpumhz",
// "sys_memory", "sys_services_missing", "sys_mode" and "sys_surfcache".
//
// A local game with "maxplayers" above 1 is a listen server: it answers queries and
// joins on the first free port from "port" (27015) on the address "ip" (every
// interface when empty) until the game ends; "sv_listenport" tells the port.
//
// At start it executes config.cfg of its game directory (else of the base game). What
// the scripts did is readable in variables: "sys_exec" (the scripts run, in order),
// "sys_bind_<key>" (the command bound to a key, key in lower case), "sys_bindcount",
// "sys_userinfo" ("\\name\\value" pairs set by "setinfo") and "sys_plus" (the "+"
// commands run, in order, each once).
#include "CommandText.h"
#include "ConsoleVariables.h"
#include "EngineMusic.h"
#include "GameMaps.h"
#include "GameSaves.h"
#include "HandOffCheck.h"
#include "ListenServer.h"
#include "ServerConnection.h"
#include "app/engine/EngineInterface.h"

#include <QPointer>
#include <QWidget>

#include <deque>
#include <map>
#include <string>

class StandInEngine
{
public:
    static constexpr size_t kConsoleLines = 12;
    static constexpr size_t kMaxStatusText = kStatusConnectionOffset - kStatusTextOffset - 1;
    static constexpr double kDefaultSignonSeconds = 0.25;

    StandInEngine(const char* commandLine, QWidget* window, const HandOffReport& handOff);

    void AddCommandText(const char* text);
    void AddConsoleCommand(const char* name, EngineConsoleCommandFn handler);
    void SetVariable(const char* name, const char* value);
    const char* VariableText(const char* name);
    int FillStatus(uint8_t* record);
    int RunFrame(double seconds, int state, int* request);
    void KeyEvent(int key, bool down);
    void SetBackground(bool background) { m_background = background; }
    void StateChanged(int state) { m_launcherState = state; }
    void WindowMessage(QWidget* window, QEvent* event);
    // Saves the local game under the name (".sav" added without an extension); an
    // empty comment gives the map name and the time played. False when no local
    // single-player game runs or the file cannot be written.
    bool SaveGame(const std::string& name, const std::string& comment);
    // Starts the saved game; a missing or damaged file is reported in the status text.
    bool LoadGame(const std::string& name);
    // Ends any game before the library is released.
    void Shutdown();

    // The launcher's music services; registers the "cd" command.
    void AttachLauncherMusic(const void* services);
    // The words of the command being run, for the commands the launcher registered.
    int CommandArgCount() const { return int(m_commandWords.size()); }
    const char* CommandArg(int index) const;
    // Text printed on the console; each line feed ends a line.
    void ConsolePrint(const char* text);

    // What the window shows.
    struct View
    {
        std::string engineKind;
        std::string map;
        std::string server;
        std::string statusText;
        std::string connectMessages[3];
        int connectionState = kConnectionNone;
        bool active = false;
        bool quitPrompt = false;
        bool consoleVisible = false;
        std::deque<std::string> console;
    };
    View CurrentView() const;

private:
    void Execute(const std::vector<std::string>& words);
    // A command the launcher registered, its name compared ignoring case.
    EngineConsoleCommandFn ExternalCommand(const std::string& name) const;
    void Exec(const std::string& fileName);
    void Bind(const std::string& key, const std::string& command);
    void UnbindAll();
    void SetInfo(const std::string& name, const std::string& value);
    void PlusCommand(const std::string& command);
    void Connect(const std::string& address);
    void Disconnect();
    void StartLocalGame(const std::string& map);
    // A local game with more than one player allowed serves other players while it runs.
    void StartListenServer();
    void NoteHandOff(const HandOffReport& handOff);
    void SaveFailed(const std::string& text);
    void Print(const std::string& line);
    void SetStatusText(const std::string& text);
    void Refresh();

    ConsoleVariables m_variables;
    CommandText m_commands;
    std::map<std::string, EngineConsoleCommandFn> m_externalCommands;
    std::vector<std::string> m_commandWords;
    std::string m_printPending;
    EngineMusic m_music;
    ServerConnection m_connection;
    GameSaves m_saves;
    GameMaps m_maps;
    ListenServer m_listen;
    double m_gameStarted = 0; // engine seconds when the local game began
    QPointer<QWidget> m_window;

    int m_connectionState = kConnectionNone;
    // A game connected to a server becomes active at m_activeAt (engine seconds), once
    // it has loaded; a local game is active at once.
    bool m_active = false;
    double m_activeAt = 0;
    bool m_localGame = false;
    std::string m_map;
    std::string m_statusText;
    bool m_quit = false;
    bool m_quitPrompt = false;
    bool m_leaveToMenu = false;
    bool m_background = false;
    bool m_consoleVisible = true;
    int m_launcherState = kEngineNoGame;
    std::deque<std::string> m_console;
    std::string m_variableReply;
    std::map<std::string, std::string> m_bindings; // key in lower case
    int m_execDepth = 0;
    int m_nestedExecs = 0; // scripts run since the outermost exec began
};

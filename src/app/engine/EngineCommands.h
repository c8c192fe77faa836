#pragma once
// Every console command text the launcher gives the engine. Each text ends with a
// line feed. Values are cleaned before they are put into a text: a quoted value
// loses quotes and line breaks, a bare word also loses spaces and ';', so no value
// can end its command early or start another one.
#include <string>
#include <string_view>

inline constexpr const char* kCommandHideConsole = "hideconsole\n";
inline constexpr const char* kCommandDisconnect = "disconnect\n";
inline constexpr const char* kCommandQuit = "quit\n";
inline constexpr const char* kCommandQuitPrompt = "quit prompt\n";

// "name \"%s\"\nconnect %s:%i\n"
std::string JoinCommand(std::string_view playerName, std::string_view host, int port);
// "name \"%s\"\nconnect %s\n", for an address text that already holds the port.
std::string JoinCommand(std::string_view playerName, std::string_view address);
// "password \"%s\"\n"
std::string PasswordCommand(std::string_view password);
// "rate %f\n"
std::string RateCommand(double rate);
// "disconnect\nskill %i\nmap %s\n", or without the disconnect when no game runs.
std::string NewGameCommand(int skill, std::string_view map, bool gameRunning);
// "load %s\n"
std::string LoadCommand(std::string_view saveName);
// "save %s\n"
std::string SaveCommand(std::string_view saveName);
// The listen server texts: "disconnect\nsv_lan 1\nsetmaster disable\n..." on the LAN,
// "sv_lan 0\nsetmaster enable\n..." on the Internet.
std::string ListenServerCommand(bool lan, int maxPlayers, std::string_view password, std::string_view hostName,
                                std::string_view map);

// A value fit to stand between double quotes in a command.
std::string QuotedValue(std::string_view value);
// A value fit to stand as one bare word in a command.
std::string BareWord(std::string_view value);

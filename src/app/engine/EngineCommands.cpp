#include "app/engine/EngineCommands.h"

#include "platform/NumberText.h"

std::string QuotedValue(std::string_view value)
{
    std::string clean;
    clean.reserve(value.size());
    for (const char c : value)
        if (c != '"' && c != '\n' && c != '\r')
            clean += c;
    return clean;
}

std::string BareWord(std::string_view value)
{
    std::string clean;
    clean.reserve(value.size());
    for (const char c : value)
        if (c != '"' && c != '\n' && c != '\r' && c != ';' && c != ' ' && c != '\t')
            clean += c;
    return clean;
}

std::string JoinCommand(std::string_view playerName, std::string_view host, int port)
{
    return "name \"" + QuotedValue(playerName) + "\"\nconnect " + BareWord(host) + ":" + std::to_string(port) + "\n";
}

std::string JoinCommand(std::string_view playerName, std::string_view address)
{
    return "name \"" + QuotedValue(playerName) + "\"\nconnect " + BareWord(address) + "\n";
}

std::string PasswordCommand(std::string_view password)
{
    return "password \"" + QuotedValue(password) + "\"\n";
}

std::string RateCommand(double rate)
{
    return "rate " + FormatFixed(rate, 6) + "\n";
}

std::string NewGameCommand(int skill, std::string_view map, bool gameRunning)
{
    std::string text = gameRunning ? kCommandDisconnect : "";
    text += "skill " + std::to_string(skill) + "\nmap " + BareWord(map) + "\n";
    return text;
}

std::string LoadCommand(std::string_view saveName)
{
    return "load " + BareWord(saveName) + "\n";
}

std::string SaveCommand(std::string_view saveName)
{
    return "save " + BareWord(saveName) + "\n";
}

std::string ListenServerCommand(bool lan, int maxPlayers, std::string_view password, std::string_view hostName,
                                std::string_view map)
{
    std::string text = kCommandDisconnect;
    text += lan ? "sv_lan 1\nsetmaster disable\n" : "sv_lan 0\nsetmaster enable\n";
    text += "maxplayers " + std::to_string(maxPlayers) + "\n";
    text += "sv_password \"" + QuotedValue(password) + "\"\n";
    text += "hostname \"" + QuotedValue(hostName) + "\"\n";
    text += "map " + BareWord(map) + "\n";
    return text;
}

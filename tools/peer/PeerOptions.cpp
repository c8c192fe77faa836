#include "peer/PeerOptions.h"

#include "peer/MasterResponder.h"
#include "peer/PeerOptionChecks.h"
#include "peer/online/OnlineOptions.h"

#include <QCommandLineParser>
#include <QFile>

#include <map>

namespace {

struct Parser
{
    Parser()
    {
        parser.setApplicationDescription(
            "Runs loopback game servers (connect handshake and query protocol) and a master server.");
        parser.addHelpOption();
        parser.addOptions({
            {{"p", "port"}, "UDP port of the first game server (0: any free port).", "port", "27015"},
            {{"n", "count"}, "Number of game servers, on consecutive ports.", "count", "1"},
            {"name", "Server name (numbered when there are several).", "name", "Kestrel Peer"},
            {"map", "Map name; a comma-separated list is used in turn.", "map", "dm_yard"},
            {"gamedir", "Game directory reported.", "dir", "vrel"},
            {"max-players", "Most players the server takes.", "count", "16"},
            {"players", "Players already on the server; a comma-separated list is used in turn.", "count", "0"},
            {"protocol", "Network protocol version reported.", "version", "45"},
            {"type", "Server type: d (dedicated), l (listen) or p (proxy).", "type", "d"},
            {"os", "Server system: l (Linux) or w (Windows).", "os", "l"},
            {"password", "Password a player must give (empty: none).", "text", ""},
            {"rule", "A rule key=value the rules reply lists; repeat for more.", "rule"},
            {"ban", "A banned player name; repeat for more.", "name"},
            {"refuse-full", "Refuse every connect with \"Server is full.\"."},
            {"silent", "Answer nothing (a server that does not respond)."},
            {"delay", "Reply this many milliseconds late.", "ms", "0"},
            {"loss", "Share of requests dropped, 0 to 1.", "rate", "0"},
            {"hostile", "Broken replies: wrong-header, truncated, count, long, negative.", "kind", "none"},
            {"master", "Also run a master server on this port (0: any free port).", "port"},
            {"master-batch", "Addresses per master list batch.", "count", "100"},
            {"master-silent", "The master answers nothing."},
            {"master-hostile",
             "The master's list never ends: endless (new addresses and keys), same-key (key -1 every time) "
             "or junk (datagrams to ignore).",
             "kind", "none"},
            {"master-version", "Launcher version the master wants; others are told they are out of date.", "version"},
            {"auth", "Authentication server host:port the server-data reply hands out; repeat for more.", "address"},
            {"pylon", "Directory server host:port the server-data reply hands out; repeat for more.", "address"},
            {"next-master", "Master host:port the server-data reply hands out; repeat for more.", "address"},
            {"list", "Another server host:port the master lists; repeat for more.", "address"},
            {"config", "Read options and per-server sections from this file.", "file"},
            {"modmaster", "Also run a custom-game master on this port (0: any free port).", "port"},
            {"mod", "A game the custom-game master lists, as \\key\\value...; repeat for more.", "game"},
            {"mod-page", "Games per custom-game list page.", "count", "2"},
            {"mod-hostile",
             "Broken custom-game list replies: wrong-header, truncated, count, negative, endless, same-next, "
             "flood, silent or ff.",
             "kind", "none"},
            {"mod-count", "Servers and players of a game on the master's port, as gamedir:servers:players.",
             "count"},
            {"mod-count-page", "Games per count reply.", "count", "2"},
            {"mod-count-hostile", "Broken count replies: more-forever, same-key, silent or junk.", "kind", "none"},
            {"mod-notice-log", "Append each download notice to this file.", "file"},
        });
        AddOnlineOptions(parser);
    }
    QCommandLineParser parser;
};

bool ReadInt(const std::string& name, const std::string& text, int low, int high, int& value, std::string& error)
{
    bool ok = false;
    const int read = QString::fromStdString(text).toInt(&ok);
    if (!ok || read < low || read > high) {
        error = "bad value for " + name + ": " + text;
        return false;
    }
    value = read;
    return true;
}

bool ReadAddress(const std::string& text, MasterEntry& entry, std::string& error)
{
    return ReadIPv4HostPort(text, entry.address, entry.port, error);
}

std::vector<std::string> SplitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    for (const QString& part : QString::fromStdString(text).split(','))
        parts.push_back(part.trimmed().toStdString());
    return parts;
}

// A config file: lines before any section become arguments placed before the command
// line's own (so the command line wins); section lines are kept per server.
bool ReadConfigFile(const QString& path, QStringList& arguments,
                    std::map<int, std::vector<std::pair<std::string, std::string>>>& sections, std::string& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = "cannot read " + path.toStdString();
        return false;
    }
    int section = 0;
    int lineNumber = 0;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        ++lineNumber;
        QString line = QString::fromUtf8(raw);
        const qsizetype hash = line.indexOf('#');
        if (hash >= 0)
            line.truncate(hash);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith('[')) {
            const QStringList words = line.mid(1, line.size() - 2).split(' ', Qt::SkipEmptyParts);
            bool ok = false;
            section = words.size() == 2 && words[0] == "server" && line.endsWith(']') ? words[1].toInt(&ok) : 0;
            if (!ok || section < 1) {
                error = path.toStdString() + ":" + std::to_string(lineNumber) + ": bad section " + line.toStdString();
                return false;
            }
            continue;
        }
        const qsizetype space = line.indexOf(' ');
        const QString key = space < 0 ? line : line.left(space);
        const QString value = space < 0 ? QString() : line.mid(space + 1).trimmed();
        if (section > 0) {
            sections[section].push_back({key.toStdString(), value.toStdString()});
        } else {
            arguments << "--" + key;
            if (space >= 0)
                arguments << value;
        }
    }
    return true;
}

} // namespace

std::optional<HostileReply> ParseHostileReply(const std::string& text)
{
    static const std::map<std::string, HostileReply> kinds = {
        {"none", HostileReply::None},           {"wrong-header", HostileReply::WrongHeader},
        {"truncated", HostileReply::Truncated}, {"count", HostileReply::CountTooLarge},
        {"long", HostileReply::LongStrings},    {"negative", HostileReply::Negative},
    };
    const auto found = kinds.find(text);
    if (found == kinds.end())
        return std::nullopt;
    return found->second;
}

bool ApplyServerSetting(GameServerConfig& s, const std::string& key, const std::string& value, std::string& error)
{
    auto flag = [&] { return value.empty() || value == "1" || value == "true" || value == "yes"; };
    if ((key == "name" || key == "map" || key == "gamedir") && !CheckInfoText(key, value, error))
        return false;
    if (key == "name")
        s.name = value;
    else if (key == "map")
        s.map = value;
    else if (key == "gamedir")
        s.gameDir = value;
    else if (key == "password")
        s.password = value;
    else if (key == "players")
        return ReadInt(key, value, 0, 255, s.currentPlayers, error);
    else if (key == "max-players")
        return ReadInt(key, value, 1, 255, s.maxPlayers, error);
    else if (key == "protocol")
        return ReadInt(key, value, 0, 1000000, s.protocol, error);
    else if (key == "delay")
        return ReadInt(key, value, 0, 600000, s.delayMs, error);
    else if (key == "type" || key == "os") {
        const std::string allowed = key == "type" ? "dlp" : "lw";
        if (value.size() != 1 || allowed.find(value[0]) == std::string::npos) {
            error = "bad value for " + key + ": " + value + " (one of " + allowed + ")";
            return false;
        }
        (key == "type" ? s.type : s.os) = value[0];
    } else if (key == "rule") {
        const size_t equals = value.find('=');
        if (equals == std::string::npos || equals == 0) {
            error = "expected key=value for rule, got " + value;
            return false;
        }
        s.rules.push_back({value.substr(0, equals), value.substr(equals + 1)});
    } else if (key == "loss") {
        bool ok = false;
        s.lossRate = QString::fromStdString(value).toDouble(&ok);
        if (!ok || !(s.lossRate >= 0.0 && s.lossRate <= 1.0)) {
            error = "bad value for loss: " + value;
            return false;
        }
    } else if (key == "silent")
        s.silent = flag();
    else if (key == "refuse-full")
        s.refuseFull = flag();
    else if (key == "hostile") {
        const auto kind = ParseHostileReply(value);
        if (!kind) {
            error = "bad value for hostile: " + value;
            return false;
        }
        s.hostile = *kind;
    } else {
        error = "unknown server setting: " + key;
        return false;
    }
    return true;
}

bool ParseModMasterOptions(const QCommandLineParser& parser, PeerOptions& options, std::string& error)
{
    options.modMaster.reset();
    if (!parser.isSet("modmaster"))
        return true;
    ModMasterConfig config;
    int port = 0;
    if (!ReadInt("--modmaster", parser.value("modmaster").toStdString(), 0, 65535, port, error) ||
        !ReadInt("--mod-page", parser.value("mod-page").toStdString(), 1, 1000, config.pageSize, error) ||
        !ReadInt("--mod-count-page", parser.value("mod-count-page").toStdString(), 1, 1000, config.countPageSize,
                 error))
        return false;
    config.port = uint16_t(port);
    const auto hostile = ParseHostileModMaster(parser.value("mod-hostile").toStdString());
    const auto countHostile = ParseHostileModCounts(parser.value("mod-count-hostile").toStdString());
    if (!hostile || !countHostile) {
        error = "bad value for --mod-hostile or --mod-count-hostile";
        return false;
    }
    config.hostile = *hostile;
    config.countHostile = *countHostile;
    for (const QString& text : parser.values("mod")) {
        auto game = ParseModGame(text.toStdString());
        if (!game) {
            error = "bad value for --mod: " + text.toStdString();
            return false;
        }
        config.games.push_back(std::move(*game));
    }
    for (const QString& text : parser.values("mod-count")) {
        auto count = ParseModCount(text.toStdString());
        if (!count) {
            error = "bad value for --mod-count: " + text.toStdString();
            return false;
        }
        config.counts.push_back(std::move(*count));
    }
    config.noticeLog = parser.value("mod-notice-log").toStdString();
    options.modMaster = std::move(config);
    return true;
}

bool ParsePeerOptions(const QStringList& commandLine, PeerOptions& options, std::string& error)
{
    QStringList arguments = commandLine;
    std::map<int, std::vector<std::pair<std::string, std::string>>> sections;
    qsizetype config = -1, configLength = 0;
    QString configPath;
    if (!FindConfigOption(arguments, config, configLength, configPath, error))
        return false;
    if (config >= 0) {
        QStringList fromFile;
        if (!ReadConfigFile(configPath, fromFile, sections, error))
            return false;
        if (fromFile.contains("--config")) {
            error = configPath.toStdString() + ": a config file cannot read another";
            return false;
        }
        arguments.remove(config, configLength);
        for (qsizetype i = 0; i < fromFile.size(); ++i)
            arguments.insert(1 + i, fromFile[i]);
    }

    Parser wrapper;
    QCommandLineParser& parser = wrapper.parser;
    if (!parser.parse(arguments)) {
        error = parser.errorText().toStdString();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = "unexpected argument: " + parser.positionalArguments().first().toStdString();
        return false;
    }
    auto value = [&](const char* name) { return parser.value(name).toStdString(); };
    int port = 0, count = 0;
    GameServerConfig base;
    if (!ReadInt("--port", value("port"), 0, 65535, port, error) ||
        !ReadInt("--count", value("count"), 0, kMaxPeerServers, count, error))
        return false;
    if (port != 0 && port + count - 1 > 65535) {
        error = "the ports of the servers run past 65535";
        return false;
    }
    for (const char* key : {"gamedir", "max-players", "protocol", "type", "os", "delay", "loss", "hostile"})
        if (!ApplyServerSetting(base, key, value(key), error))
            return false;
    if (!ApplyServerSetting(base, "name", value("name"), error))
        return false;
    base.password = value("password");
    for (const QString& rule : parser.values("rule"))
        if (!ApplyServerSetting(base, "rule", rule.toStdString(), error))
            return false;
    for (const QString& banned : parser.values("ban"))
        base.bannedNames.push_back(banned.toStdString());
    base.refuseFull = parser.isSet("refuse-full");
    base.silent = parser.isSet("silent");
    const std::vector<std::string> maps = SplitCommas(value("map"));
    const std::vector<std::string> players = SplitCommas(value("players"));
    for (const std::string& map : maps)
        if (!CheckInfoText("map", map, error))
            return false;

    options.gameServers.clear();
    for (int i = 0; i < count; ++i) {
        GameServerConfig server = base;
        server.port = port == 0 ? 0 : uint16_t(port + i);
        if (count > 1)
            server.name += " #" + std::to_string(i + 1);
        if (!ApplyServerSetting(server, "map", maps[size_t(i) % maps.size()], error))
            return false;
        if (!ApplyServerSetting(server, "players", players[size_t(i) % players.size()], error))
            return false;
        options.gameServers.push_back(server);
    }
    for (const auto& [number, settings] : sections) {
        if (number > count) {
            error = "section [server " + std::to_string(number) + "] names no server";
            return false;
        }
        for (const auto& [key, setting] : settings)
            if (!ApplyServerSetting(options.gameServers[size_t(number - 1)], key, setting, error))
                return false;
    }

    options.master.reset();
    options.extraListed.clear();
    if (parser.isSet("master")) {
        MasterServerConfig master;
        int masterPort = 0;
        if (!ReadInt("--master", value("master"), 0, 65535, masterPort, error) ||
            !ReadInt("--master-batch", value("master-batch"), 1, MasterServerConfig::kMaxBatch, master.batchSize,
                     error))
            return false;
        master.port = uint16_t(masterPort);
        master.silent = parser.isSet("master-silent");
        const std::optional<HostileMaster> hostile = ParseHostileMaster(value("master-hostile"));
        if (!hostile) {
            error = "bad value for --master-hostile: " + value("master-hostile");
            return false;
        }
        master.hostile = *hostile;
        master.currentVersion = value("master-version");
        const char* groups[kServerDataGroups] = {"auth", "pylon", "next-master"};
        for (int g = 0; g < kServerDataGroups; ++g) {
            for (const QString& text : parser.values(groups[g])) {
                MasterEntry entry;
                if (!ReadAddress(text.toStdString(), entry, error))
                    return false;
                master.serverData.groups[size_t(g)].push_back(entry);
            }
        }
        options.master = master;
    }
    if (!ParseModMasterOptions(parser, options, error))
        return false;
    for (const QString& text : parser.values("list")) {
        MasterEntry entry;
        if (!ReadAddress(text.toStdString(), entry, error))
            return false;
        options.extraListed.push_back(entry);
    }
    return ReadOnlineOptions(parser, options.online, options.issue, error);
}

std::string PeerUsage()
{
    Parser wrapper;
    return wrapper.parser.helpText().toStdString();
}

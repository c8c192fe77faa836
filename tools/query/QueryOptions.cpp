#include "query/QueryOptions.h"

#include <QHostAddress>

#include <map>

namespace {

bool Number(const QString& text, double low, double high, double& value)
{
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && value >= low && value <= high;
}

struct Parse
{
    const QStringList& arguments;
    QueryOptions& options;
    std::string& error;
    qsizetype i = 2;

    bool Value(QString& out)
    {
        if (i + 1 >= arguments.size()) {
            error = arguments[i].toStdString() + " needs a value";
            return false;
        }
        out = arguments[++i];
        return true;
    }
    bool Bad(const char* option)
    {
        error = std::string("bad value for ") + option;
        return false;
    }
    bool Address(const QString& text, int defaultPort, std::vector<ServerAddress>& into)
    {
        ServerAddress a;
        std::string why;
        if (!SplitHostPort(text.toStdString(), defaultPort, a.host, a.port, &why)) {
            error = why;
            return false;
        }
        into.push_back(a);
        return true;
    }
};

// Options of the filters and the sort, for the commands that print a list.
bool ParseListOption(Parse& p, const QString& word, bool& matched)
{
    FilterOptions& f = p.options.filters;
    matched = true;
    QString text;
    double number = 0.0;
    if (word == "--not-empty")
        f.notEmpty = true;
    else if (word == "--not-full")
        f.notFull = true;
    else if (word == "--dedicated")
        f.dedicated = true;
    else if (word == "--linux")
        f.linuxOnly = true;
    else if (word == "--proxies")
        f.proxies = true;
    else if (word == "--no-proxies")
        f.noProxies = true;
    else if (word == "--map") {
        if (!p.Value(text))
            return false;
        if (text.isEmpty())
            return p.Bad("--map");
        f.map = text.toStdString();
    } else if (word == "--max-ping") {
        if (!p.Value(text) || !Number(text, 0, 1000000, number))
            return p.Bad("--max-ping");
        f.maxPing = int(number);
    } else if (word == "--sort") {
        if (!p.Value(text))
            return false;
        return ParseSortKeys(text.toStdString(), p.options.sortKeys, p.error);
    } else {
        matched = false;
    }
    return true;
}

} // namespace

bool ParseQueryOptions(const QStringList& arguments, QueryOptions& options, std::string& error)
{
    static const std::map<QString, QueryCommand> commands = {
        {"info", QueryCommand::Info},     {"players", QueryCommand::Players}, {"rules", QueryCommand::Rules},
        {"master", QueryCommand::Master}, {"refresh", QueryCommand::Refresh}, {"lan", QueryCommand::Lan},
    };
    if (arguments.size() < 2 || !commands.count(arguments[1])) {
        error = arguments.size() < 2 ? "no command given" : "unknown command: " + arguments[1].toStdString();
        return false;
    }
    options = QueryOptions{};
    options.command = commands.at(arguments[1]);
    const bool refresh = options.command == QueryCommand::Refresh;
    const bool master = options.command == QueryCommand::Master;
    const bool lan = options.command == QueryCommand::Lan;
    const bool servers = !refresh && !master && !lan;
    Parse p{arguments, options, error};
    for (; p.i < arguments.size(); ++p.i) {
        const QString& word = arguments[p.i];
        QString text;
        double number = 0.0;
        bool matched = false;
        if ((refresh || lan) && !ParseListOption(p, word, matched))
            return false;
        if (matched)
            continue;
        if (word == "--json") {
            options.format = OutputFormat::Json;
        } else if (word == "--format") {
            if (!p.Value(text))
                return false;
            static const std::map<QString, OutputFormat> formats = {
                {"table", OutputFormat::Table}, {"json", OutputFormat::Json}, {"csv", OutputFormat::Csv}};
            if (!formats.count(text))
                return p.Bad("--format (table, json or csv)");
            options.format = formats.at(text);
        } else if (word == "--players" && refresh) {
            options.players = true;
        } else if (word == "--rules" && refresh) {
            options.rules = true;
        } else if (word == "--filter" && (refresh || master)) {
            if (!p.Value(text))
                return false;
            options.filter = text.toStdString();
        } else if (word == "--master" && refresh) {
            if (!p.Value(text) || !p.Address(text, QueryOptions::kDefaultMasterPort, options.masters))
                return false;
        } else if ((word == "--list" || word == "--favorites") && refresh) {
            if (!p.Value(text))
                return false;
            (word == "--list" ? options.listFiles : options.favoriteFiles).push_back(text.toStdString());
        } else if (word == "--maxsockets" && refresh) {
            if (!p.Value(text) || !Number(text, 1, QueryOptions::kMaxSockets, number))
                return p.Bad("--maxsockets");
            options.maxSockets = std::max(int(number), QueryOptions::kMinSockets);
        } else if (word == "--timeout" && !master) {
            if (!p.Value(text) || !Number(text, 0.01, 600.0, options.timeout))
                return p.Bad("--timeout");
        } else if (word == "--retries" && !master) {
            if (!p.Value(text) || !Number(text, 0, 100, number))
                return p.Bad("--retries");
            options.retries = int(number);
        } else if (word == "--port-base" && lan) {
            if (!p.Value(text) || !Number(text, 1, 65536 - QueryOptions::kLanPortCount, number))
                return p.Bad("--port-base");
            options.portBase = int(number);
        } else if (word == "--target" && lan) {
            if (!p.Value(text) || QHostAddress(text).protocol() != QAbstractSocket::IPv4Protocol)
                return p.Bad("--target");
            options.lanTarget = text.toStdString();
        } else if (!word.startsWith("--") && servers) {
            if (!p.Address(word, QueryOptions::kDefaultServerPort, options.servers))
                return false;
        } else if (!word.startsWith("--") && master && options.masters.empty()) {
            if (!p.Address(word, QueryOptions::kDefaultMasterPort, options.masters))
                return false;
        } else {
            error = "unexpected argument: " + word.toStdString();
            return false;
        }
    }
    options.json = options.format == OutputFormat::Json;
    if (options.filters.proxies && options.filters.noProxies) {
        error = "--proxies and --no-proxies exclude each other";
        return false;
    }
    if (options.format == OutputFormat::Csv && (options.players || options.rules)) {
        error = "--players and --rules need --format table or json";
        return false;
    }
    if (lan)
        return true;
    if (refresh && options.masters.empty() && options.listFiles.empty() && options.favoriteFiles.empty()) {
        error = "refresh needs --master HOST:PORT, --list FILE or --favorites FILE";
        return false;
    }
    if (servers && options.servers.empty()) {
        error = "no HOST:PORT given";
        return false;
    }
    if (master && options.masters.empty()) {
        error = "no HOST:PORT given";
        return false;
    }
    const std::vector<ServerAddress>& named = servers ? options.servers : options.masters;
    if (!named.empty()) {
        options.host = named.front().host;
        options.port = named.front().port;
    }
    return true;
}

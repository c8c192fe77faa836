#include "query/QueryOptions.h"

#include <QHostAddress>

#include <map>

bool SplitHostPort(const std::string& text, int defaultPort, std::string& host, int& port)
{
    const size_t colon = text.rfind(':');
    host = text.substr(0, colon);
    port = defaultPort;
    if (colon != std::string::npos) {
        bool ok = false;
        port = QString::fromStdString(text.substr(colon + 1)).toInt(&ok);
        if (!ok)
            return false;
    }
    return !host.empty() && port > 0 && port <= 65535;
}

namespace {

bool Number(const QString& text, double low, double high, double& value)
{
    bool ok = false;
    value = text.toDouble(&ok);
    return ok && value >= low && value <= high;
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
    const bool listing = refresh || options.command == QueryCommand::Master;
    const bool lan = options.command == QueryCommand::Lan;
    QString target;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        auto value = [&](QString& out) {
            if (i + 1 >= arguments.size()) {
                error = word.toStdString() + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        QString text;
        double number = 0.0;
        if (word == "--json") {
            options.json = true;
        } else if (word == "--players" && refresh) {
            options.players = true;
        } else if (word == "--rules" && refresh) {
            options.rules = true;
        } else if (word == "--filter" && listing) {
            if (!value(text))
                return false;
            options.filter = text.toStdString();
        } else if (word == "--master" && refresh) {
            if (!value(target))
                return false;
        } else if (word == "--maxsockets" && refresh) {
            if (!value(text) || !Number(text, 1, QueryOptions::kMaxSockets, number)) {
                error = "bad value for --maxsockets";
                return false;
            }
            options.maxSockets = std::max(int(number), QueryOptions::kMinSockets);
        } else if (word == "--timeout" && options.command != QueryCommand::Master) {
            if (!value(text) || !Number(text, 0.01, 600.0, options.timeout)) {
                error = "bad value for --timeout";
                return false;
            }
        } else if (word == "--retries" && options.command != QueryCommand::Master) {
            if (!value(text) || !Number(text, 0, 100, number)) {
                error = "bad value for --retries";
                return false;
            }
            options.retries = int(number);
        } else if (word == "--port-base" && lan) {
            if (!value(text) || !Number(text, 1, 65536 - QueryOptions::kLanPortCount, number)) {
                error = "bad value for --port-base";
                return false;
            }
            options.portBase = int(number);
        } else if (word == "--target" && lan) {
            if (!value(text) || QHostAddress(text).protocol() != QAbstractSocket::IPv4Protocol) {
                error = "bad value for --target";
                return false;
            }
            options.lanTarget = text.toStdString();
        } else if (!word.startsWith("--") && !refresh && !lan && target.isEmpty()) {
            target = word;
        } else {
            error = "unexpected argument: " + word.toStdString();
            return false;
        }
    }
    if (lan)
        return true;
    if (target.isEmpty()) {
        error = refresh ? "refresh needs --master HOST:PORT" : "no HOST:PORT given";
        return false;
    }
    const int defaultPort = listing ? QueryOptions::kDefaultMasterPort : QueryOptions::kDefaultServerPort;
    if (!SplitHostPort(target.toStdString(), defaultPort, options.host, options.port)) {
        error = "bad address: " + target.toStdString();
        return false;
    }
    return true;
}

std::string QueryUsage()
{
    return "usage: kestrel-query info|players|rules HOST:PORT [--json] [--timeout S] [--retries N]\n"
           "       kestrel-query master HOST:PORT [--filter TEXT] [--json]\n"
           "       kestrel-query refresh --master HOST:PORT [--filter TEXT] [--maxsockets N] [--timeout S]\n"
           "                     [--retries N] [--players] [--rules] [--json]\n"
           "       kestrel-query lan [--port-base P] [--target ADDRESS] [--timeout S] [--retries N] [--json]\n"
           "       kestrel-query mods --modmaster HOST:PORT [--master HOST:PORT] [--json]\n"
           "       kestrel-query install GAMEDIR --modmaster HOST:PORT --home DIR\n";
}

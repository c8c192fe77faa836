#include "peer/online/OnlineOptions.h"

#include "peer/online/PeerKeys.h"
#include "platform/NumberText.h"

#include <ctime>

namespace {

bool ReadBounded(const QCommandLineParser& parser, const char* name, int low, int high, int& value,
                 std::string& error)
{
    const std::string text = parser.value(name).toStdString();
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9 ||
        ParseInt(text) < low || ParseInt(text) > high) {
        error = std::string("bad value for --") + name + ": " + text;
        return false;
    }
    value = ParseInt(text);
    return true;
}

} // namespace

void AddOnlineOptions(QCommandLineParser& parser)
{
    parser.addOptions({
        {"online", "Also run the online service: its directory server on this TCP port (0: any free port).", "port"},
        {"online-factories", "Factory servers of the online service.", "count", "1"},
        {"online-room", "A permanent chat room, NAME or NAME:PASSWORD; repeat for more (default: Lobby).", "name"},
        {"online-robots", "Robots chat in the first room every few seconds."},
        {"online-fault",
         QString::fromStdString("Misbehave: " + OnlineFaultNames() +
                                "; \":COUNT\" limits it to that many replies. Repeat for more."),
         "kind"},
        {"online-session-lifetime", "Seconds an idle session lives.", "seconds", "600"},
        {"keys", "Folder of the service's verifier key (created when missing).", "dir"},
        {"issue-credentials", "Write a player's credentials signed by the verifier key and exit.", "name"},
        {"out", "File the credentials are written to.", "file"},
        {"valid-days", "Days the issued credentials stay valid.", "days", "30"},
    });
}

bool ReadOnlineOptions(const QCommandLineParser& parser, std::optional<OnlineServiceConfig>& online,
                       std::optional<CredentialsIssue>& issue, std::string& error)
{
    online.reset();
    issue.reset();
    const std::string keyFolder = parser.isSet("keys") ? parser.value("keys").toStdString() : DefaultPeerKeyFolder();
    if (parser.isSet("issue-credentials")) {
        CredentialsIssue request;
        request.name = parser.value("issue-credentials").toStdString();
        request.out = parser.value("out").toStdString();
        request.keyFolder = keyFolder;
        if (request.name.empty() || request.out.empty()) {
            error = "--issue-credentials needs a name and --out FILE";
            return false;
        }
        if (!ReadBounded(parser, "valid-days", 1, 3650, request.validDays, error))
            return false;
        issue = request;
    }
    if (!parser.isSet("online"))
        return true;
    OnlineServiceConfig config;
    int port = 0;
    if (!ReadBounded(parser, "online", 0, 65535, port, error) ||
        !ReadBounded(parser, "online-factories", 1, 16, config.factories, error) ||
        !ReadBounded(parser, "online-session-lifetime", 1, 86400, config.sessionLifetime, error))
        return false;
    config.directoryPort = uint16_t(port);
    if (parser.isSet("online-room")) {
        config.rooms.clear();
        for (const QString& room : parser.values("online-room"))
            config.rooms.push_back(room.toStdString());
    }
    config.robots = parser.isSet("online-robots");
    for (const QString& text : parser.values("online-fault")) {
        OnlineFault fault{};
        int count = 0;
        if (!ParseOnlineFaultSwitch(text.toStdString(), fault, count)) {
            error = "bad value for --online-fault: " + text.toStdString() + " (" + OnlineFaultNames() + ")";
            return false;
        }
        config.faults.emplace_back(fault, count);
    }
    config.keyFolder = keyFolder;
    online = config;
    return true;
}

bool IssueCredentialsFile(const CredentialsIssue& issue, std::string& error)
{
    const auto keys = PeerKeys::Open(issue.keyFolder, error);
    if (!keys)
        return false;
    const auto credentials =
        keys->IssueCredentials(issue.name, int64_t(std::time(nullptr)), int64_t(issue.validDays) * 24 * 3600);
    if (!credentials) {
        error = "cannot issue credentials";
        return false;
    }
    return SaveCredentialsFile(issue.out, *credentials, error);
}

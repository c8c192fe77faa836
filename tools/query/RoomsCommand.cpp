#include "query/RoomsCommand.h"

#include "online/chat/CChatClient.h"
#include "online/service/AuthContext.h"
#include "platform/NumberText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailed = 1;
constexpr int kExitBadArguments = 2;

// What the refresh would show in the chat panel goes to the error text.
class ErrorView : public ChatView
{
public:
    explicit ErrorView(std::string& err) : m_err(err) {}
    void ShowLine(const std::string& text, const std::string&) override { m_err += "kestrel-query: " + text + "\n"; }

private:
    std::string& m_err;
};

bool ParsePylon(const std::string& value, std::string& host, uint16_t& port)
{
    const size_t colon = value.rfind(':');
    if (colon == 0 || colon == std::string::npos)
        return false;
    const std::string digits = value.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int32_t number = ParseInt(digits);
    if (number < 1 || number > 65535)
        return false;
    host = value.substr(0, colon);
    port = uint16_t(number);
    return true;
}

} // namespace

std::string RoomsUsage()
{
    return "usage: kestrel-query rooms --pylon HOST:PORT [--credentials FILE] [--json]\n";
}

int RunRoomsCommand(const QStringList& arguments, std::string& out, std::string& err)
{
    std::string host, credentials;
    uint16_t port = 0;
    bool json = false;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (name == "--json") {
            json = true;
            continue;
        }
        if (i + 1 >= arguments.size() || (name != "--pylon" && name != "--credentials")) {
            err += "kestrel-query: bad option: " + name.toStdString() + "\n" + RoomsUsage();
            return kExitBadArguments;
        }
        const std::string value = arguments[++i].toStdString();
        if (name == "--credentials") {
            credentials = value;
        } else if (!ParsePylon(value, host, port)) {
            err += "kestrel-query: bad address: " + value + "\n" + RoomsUsage();
            return kExitBadArguments;
        }
    }
    if (host.empty()) {
        err += "kestrel-query: rooms needs --pylon HOST:PORT\n" + RoomsUsage();
        return kExitBadArguments;
    }
    AuthContext context(credentials.empty() ? DefaultCredentialsPath() : credentials);
    if (!context.IsSignedIn()) {
        err += "kestrel-query: not signed in: " +
               (context.LastError().empty() ? "the certificate is not valid" : context.LastError()) + "\n";
        return kExitFailed;
    }
    ServiceAddressList addresses;
    addresses.AppendAddress(ServiceAddressList::Section::Pylon, host, port);
    ErrorView view(err);
    CChatClient client(&context, &addresses, &view);
    client.SetDiagnostics([&err](const std::string& line) { err += line; });
    if (!client.RefreshRooms()) {
        err += "kestrel-query: no rooms were listed\n";
        return kExitFailed;
    }
    const std::vector<ChatRoom>& rooms = client.Rooms().Rooms();
    if (json) {
        QJsonArray list;
        for (const ChatRoom& room : rooms)
            list.append(QJsonObject{{"name", QString::fromStdString(room.name)},
                                    {"address", QString::fromStdString(room.address)},
                                    {"users", int(room.users)},
                                    {"answered", room.answered}});
        out += QJsonDocument(QJsonObject{{"rooms", list}}).toJson(QJsonDocument::Indented).toStdString();
        return kExitSuccess;
    }
    for (const ChatRoom& room : rooms)
        out += room.name + "  " + room.address + "  " + std::to_string(room.users) + (room.answered ? "" : " ?") + "\n";
    return kExitSuccess;
}

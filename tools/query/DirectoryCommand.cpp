#include "query/DirectoryCommand.h"

#include "online/service/AuthContext.h"
#include "online/service/DirRequest.h"
#include "platform/NumberText.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

#include <memory>

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailed = 1;
constexpr int kExitBadArguments = 2;
constexpr int kMaxTimeoutSeconds = 600;

struct DirectoryOptions
{
    std::string host;
    uint16_t port = 0;
    std::u16string path = u"/Kestrel/Public";
    std::string credentials;
    bool json = false;
    int timeoutMs = 0;
};

bool Digits(const std::string& text)
{
    return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

bool Parse(const QStringList& arguments, DirectoryOptions& options, std::string& error)
{
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (name == "--json") {
            options.json = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            error = name.toStdString() + " needs a value";
            return false;
        }
        const std::string value = arguments[++i].toStdString();
        if (name == "--pylon") {
            const size_t colon = value.rfind(':');
            const std::string port = colon == std::string::npos ? "" : value.substr(colon + 1);
            if (colon == 0 || !Digits(port) || ParseInt(port) < 1 || ParseInt(port) > 65535) {
                error = "bad address: " + value;
                return false;
            }
            options.host = value.substr(0, colon);
            options.port = uint16_t(ParseInt(port));
        } else if (name == "--path") {
            options.path = QString::fromStdString(value).toStdU16String();
            if (options.path.empty() || options.path.size() > 1024) {
                error = "bad path: " + value;
                return false;
            }
        } else if (name == "--credentials") {
            options.credentials = value;
        } else if (name == "--timeout") {
            if (!Digits(value) || ParseInt(value) < 1 || ParseInt(value) > kMaxTimeoutSeconds) {
                error = "bad value for --timeout: " + value;
                return false;
            }
            options.timeoutMs = ParseInt(value) * 1000;
        } else {
            error = "unknown option: " + name.toStdString();
            return false;
        }
    }
    if (options.host.empty()) {
        error = "directory needs --pylon HOST:PORT";
        return false;
    }
    return true;
}

QString Utf8(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

} // namespace

std::string DirectoryUsage()
{
    return "usage: kestrel-query directory --pylon HOST:PORT [--path P] [--credentials FILE] [--json] [--timeout S]\n";
}

int RunDirectoryCommand(const QStringList& arguments, std::string& out, std::string& err)
{
    DirectoryOptions options;
    std::string error;
    if (!Parse(arguments, options, error)) {
        err += "kestrel-query: " + error + "\n" + DirectoryUsage();
        return kExitBadArguments;
    }
    std::unique_ptr<AuthContext> context;
    std::string credentials = options.credentials;
    if (credentials.empty() && QFileInfo::exists(QString::fromStdString(DefaultCredentialsPath())))
        credentials = DefaultCredentialsPath();
    if (!credentials.empty()) {
        context = std::make_unique<AuthContext>(credentials);
        if (!context->IsSignedIn()) {
            err += "kestrel-query: not signed in: " +
                   (context->LastError().empty() ? "the certificate is not valid" : context->LastError()) + "\n";
            return kExitFailed;
        }
    }

    DirRequest request(options.host, options.port);
    bool diagnosed = false;
    request.SetDiagnostics([&](const std::string& line) {
        err += line;
        diagnosed = true;
    });
    if (options.timeoutMs > 0) {
        ServiceTimeouts timeouts;
        timeouts.receiveReply = options.timeoutMs;
        timeouts.connect = std::min(timeouts.connect, options.timeoutMs);
        request.SetTimeouts(timeouts);
    }
    if (context)
        request.SetAuth(context.get(), true, true, true);
    ReadBuffer reader;
    const uint32_t count = request.GetDirectory(options.path, reader);
    if (count == 0 && diagnosed) {
        if (context && !context->LastError().empty())
            err += "kestrel-query: " + context->LastError() + "\n";
        return kExitFailed;
    }
    const std::vector<DirEntry> entries = ReadDirEntries(reader, count);

    if (options.json) {
        QJsonArray list;
        for (const DirEntry& entry : entries) {
            QJsonObject item{{"kind", entry.kind == DirEntry::kService ? "service" : "directory"},
                             {"name", Utf8(entry.name)},
                             {"display", Utf8(entry.displayName)}};
            if (entry.kind == DirEntry::kService) {
                item["address"] = QString::fromStdString(DottedAddress(entry.address));
                item["port"] = int(entry.port);
            }
            list.append(item);
        }
        const QJsonObject document{{"path", Utf8(options.path)}, {"entries", list}};
        out += QJsonDocument(document).toJson(QJsonDocument::Indented).toStdString();
        return kExitSuccess;
    }
    for (const DirEntry& entry : entries) {
        std::string line = entry.kind == DirEntry::kService ? "S  " : "D  ";
        line += Utf8(entry.displayName).toStdString() + "  (" + Utf8(entry.name).toStdString() + ")";
        if (entry.kind == DirEntry::kService)
            line += "  " + DottedAddress(entry.address) + ":" + std::to_string(entry.port);
        out += line + "\n";
    }
    return kExitSuccess;
}

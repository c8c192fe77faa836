#include "query/ModsCommand.h"

#include "app/settings/LauncherState.h"
#include "app/text/Prompt.h"
#include "app/text/ServiceAddressList.h"
#include "mods/catalogue/CompareMods.h"
#include "mods/catalogue/ModCatalogue.h"
#include "mods/catalogue/ModListMerge.h"
#include "mods/download/ModDownload.h"
#include "mods/master/ModExchange.h"
#include "platform/NumberText.h"
#include "query/QueryOptions.h"
#include "query/QueryRunner.h"
#include "ui/SortKeyList.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

// Says yes to every question: the admin asked for the install.
class AnswerYes : public Prompt
{
public:
    AnswerYes(std::string& err) : m_err(err) { SetPrompt(this); }
    ~AnswerYes() override { SetPrompt(nullptr); }
    int Show(const std::string& text, PromptButtons) override
    {
        m_err += text + '\n';
        return kPromptFirst;
    }

private:
    std::string& m_err;
};

struct ModsArguments
{
    std::string command;
    std::string gamedir;
    std::string modMaster;
    std::string master;
    std::string home;
    bool json = false;
};

bool Parse(const QStringList& arguments, ModsArguments& parsed, std::string& error)
{
    parsed.command = arguments.value(1).toStdString();
    int i = 2;
    if (parsed.command == "install") {
        parsed.gamedir = arguments.value(2).toStdString();
        if (parsed.gamedir.empty() || parsed.gamedir[0] == '-') {
            error = "install needs a game directory";
            return false;
        }
        i = 3;
    }
    for (; i < arguments.size(); ++i) {
        const QString word = arguments[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= arguments.size())
                return false;
            into = arguments[++i].toStdString();
            return true;
        };
        bool ok = true;
        if (word == "--modmaster")
            ok = value(parsed.modMaster);
        else if (word == "--master")
            ok = value(parsed.master);
        else if (word == "--home")
            ok = value(parsed.home);
        else if (word == "--json")
            parsed.json = true;
        else
            ok = false;
        if (!ok) {
            error = "unexpected argument: " + word.toStdString();
            return false;
        }
    }
    if (parsed.modMaster.empty()) {
        error = "--modmaster HOST:PORT is needed";
        return false;
    }
    if (parsed.command == "install" && parsed.home.empty()) {
        error = "--home DIR is needed";
        return false;
    }
    return true;
}

// The addresses as a service address list; false for a malformed one.
bool Addresses(const ModsArguments& parsed, ServiceAddressList& list, std::string& error)
{
    std::string host;
    int port = 0;
    std::string text;
    if (!SplitHostPort(parsed.modMaster, ServiceAddressList::kModMasterPort, host, port) ||
        host.find_first_of(" \t\r\n{}/") != std::string::npos) {
        error = "bad address: " + parsed.modMaster;
        return false;
    }
    text += "ModServer { " + host + ":" + FormatInt(port) + " }\n";
    if (!parsed.master.empty()) {
        if (!SplitHostPort(parsed.master, ServiceAddressList::kMasterPort, host, port) ||
            host.find_first_of(" \t\r\n{}/") != std::string::npos) {
            error = "bad address: " + parsed.master;
            return false;
        }
        text += "Master { " + host + ":" + FormatInt(port) + " }\n";
    }
    list.Clear();
    list.Parse(text.c_str(), "command line");
    return true;
}

ModList FetchList(ServiceAddressList& addresses)
{
    ModListExchange exchange;
    if (!exchange.Start(addresses))
        return {};
    RunModExchange(exchange);
    return exchange.TakeResult();
}

std::string Table(ModList& list)
{
    SortKeyList keys;
    keys.SetPrimaryKey(kModColumnGame);
    std::string out;
    char line[512];
    std::snprintf(line, sizeof line, "%-16s %-28s %8s %10s %9s %8s %8s\n", "gamedir", "game", "version", "size",
                  "installed", "servers", "players");
    out += line;
    for (CModRecord* record : ModRows(list, keys)) {
        std::snprintf(line, sizeof line, "%-16.16s %-28.28s %8.8s %10.10s %9.9s %8.8s %8.8s\n",
                      record->GetKeyText("gamedir").c_str(), record->GetKeyText("game").c_str(),
                      record->GetKeyText("version").c_str(), record->GetKeyText("size").c_str(),
                      record->GetKeyText("installed").c_str(), record->GetKeyText("servers").c_str(),
                      record->GetKeyText("players").c_str());
        out += line;
    }
    return out;
}

std::string Json(ModList& list)
{
    SortKeyList keys;
    keys.SetPrimaryKey(kModColumnGame);
    QJsonArray array;
    for (CModRecord* record : ModRows(list, keys)) {
        QJsonObject object;
        for (const auto& [key, value] : record->Pairs())
            object.insert(QString::fromStdString(key), QString::fromStdString(value));
        array.append(object);
    }
    return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}

int Install(const ModsArguments& parsed, ServiceAddressList& addresses, std::string& err, bool progress)
{
    const QString home = QDir(QString::fromStdString(parsed.home)).absolutePath();
    if (!QDir(home).exists()) {
        err += "kestrel-query: no folder " + parsed.home + '\n';
        return kExitBadArguments;
    }
    Launcher().baseDirectory = home.toStdString();
    ScanInstalledMods(home.toStdString());
    ModList offered = FetchList(addresses);
    ModList list = MergeOfferedMods(InstalledMods(), offered);
    CModRecord* record = FindModByDir(list, parsed.gamedir);
    if (!record || !FindModByDir(offered, parsed.gamedir)) {
        err += "kestrel-query: the custom-game master offers no " + parsed.gamedir + '\n';
        return kExitNoAnswer;
    }
    AnswerYes yes(err);
    QEventLoop loop;
    const auto say = [&err, progress](const std::string& text) {
        if (progress)
            std::fprintf(stderr, "%s\n", text.c_str());
        else
            err += text + '\n';
    };
    ModDownload download(*record, home.toStdString(),
                         {say, [&loop](ModDownload::State) { QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection); }});
    if (download.Start())
        loop.exec();
    if (download.GetState() != ModDownload::State::Succeeded) {
        err += "kestrel-query: " + download.FailureText() + '\n';
        return kExitNoAnswer;
    }
    SendModDownloadNotice(addresses, record->GetKeyInt("*uniqueid"));
    return kExitSuccess;
}

} // namespace

bool IsModsCommand(const QStringList& arguments)
{
    return arguments.size() > 1 && (arguments[1] == "mods" || arguments[1] == "install");
}

std::string ModsUsage()
{
    return "  kestrel-query mods --modmaster HOST:PORT [--master HOST:PORT] [--json]\n"
           "  kestrel-query install GAMEDIR --modmaster HOST:PORT --home DIR\n";
}

int RunModsCommand(const QStringList& arguments, std::string& out, std::string& err, bool progress)
{
    ModsArguments parsed;
    std::string error;
    ServiceAddressList addresses;
    if (!Parse(arguments, parsed, error) || !Addresses(parsed, addresses, error)) {
        err += "kestrel-query: " + error + '\n' + ModsUsage();
        return kExitBadArguments;
    }
    if (parsed.command == "install")
        return Install(parsed, addresses, err, progress);
    ModList list = MergeOfferedMods({}, FetchList(addresses));
    if (!parsed.master.empty()) {
        ModCountExchange counts(list);
        if (counts.Start(addresses))
            RunModExchange(counts);
    }
    out += parsed.json ? Json(list) : Table(list);
    return list.empty() ? kExitNoAnswer : kExitSuccess;
}

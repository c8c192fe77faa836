#include "browser/record/FavoriteServersFile.h"

#include "app/settings/LauncherState.h"
#include "app/text/CToken.h"
#include "app/text/TextCase.h"
#include "browser/record/DamagedListDecision.h"

#include <QFile>
#include <QSaveFile>

namespace {

constexpr int kDefaultPort = 27015;

// An empty token is the end of the text only when no text is left: an empty quoted
// string ("") reads as an empty token too.
bool AtEnd(const CToken& t, const std::string& token)
{
    const char* position = t.GetPosition();
    return token.empty() && (!position || *position == '\0');
}

// Moves the cursor to the next "server" word that opens a record ("server" "{"), or
// to the end of the text.
void SkipToNextRecord(CToken& t)
{
    for (;;) {
        const char* before = t.GetPosition();
        const std::string token = t.NextToken();
        if (AtEnd(t, token))
            return;
        if (!SameText(token, "server"))
            continue;
        const char* after = t.GetPosition();
        if (std::string(t.NextToken()) == "{") {
            t.SetPosition(before);
            return;
        }
        t.SetPosition(after);
    }
}

} // namespace

QString FavoriteServersFile::DefaultPath()
{
    return QString::fromStdString(Launcher().baseDirectory) + "/" + kFileName;
}

FavoriteServersFile::LoadResult FavoriteServersFile::Parse(const char* text)
{
    LoadResult result;
    CToken t(text);
    t.SetQuoted(true);
    t.SetSkipComments(true);
    if (std::string(t.NextToken()) != "{")
        return result;
    for (;;) {
        const std::string token = t.NextToken();
        if (AtEnd(t, token) || token == "}")
            break;
        if (!SameText(token, "server"))
            continue;
        const char* afterWord = t.GetPosition();
        auto record = std::make_unique<CServerInfo>("?", kDefaultPort);
        if (record->Read(t)) {
            result.servers.insert(result.servers.begin(), std::move(record));
            continue;
        }
        ++result.damagedRecords;
        t.SetPosition(afterWord);
        SkipToNextRecord(t);
    }
    return result;
}

std::string FavoriteServersFile::Format(const std::vector<const CServerInfo*>& list)
{
    std::string out = "{\r\n";
    for (const CServerInfo* record : list)
        if (record)
            record->Write(out);
    out += "}\r\n";
    return out;
}

FavoriteServersFile::LoadResult FavoriteServersFile::Load(const QString& path, Prompt& prompt)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll(); // always zero-terminated
    file.close();
    LoadResult result = Parse(bytes.constData());
    if (result.damagedRecords > 0)
        DamagedListDecision::Resolve(path, prompt);
    return result;
}

bool FavoriteServersFile::Save(const QString& path, const std::vector<const CServerInfo*>& list)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string text = Format(list);
    if (file.write(text.data(), qint64(text.size())) != qint64(text.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

#include "mods/catalogue/Liblist.h"

#include "app/text/CToken.h"

#include <QFile>

std::optional<CModRecord> ParseLiblist(const char* text, const std::string& directoryName)
{
    CModRecord record;
    bool game = false;
    CToken token(text);
    token.SetQuoted(true);
    token.SetSkipComments(true);
    for (int settings = 0;; ++settings) {
        token.NextToken();
        if (token.Empty())
            break;
        if (settings >= kMaxLiblistSettings)
            return std::nullopt;
        const std::string key = std::string(token.Token()).substr(0, kMaxLiblistKey);
        token.NextToken();
        const std::string value = std::string(token.Token()).substr(0, kMaxLiblistValue);
        record.SetKey(key, value);
        if (SameText(key, "gamedll")) {
            game = true;
            record.SetKey("installed", "1");
        }
        if (token.Empty())
            break;
    }
    if (!game)
        return std::nullopt;
    record.SetKey("gamedir", directoryName);
    return record;
}

std::optional<CModRecord> ReadLiblist(const std::string& directoryName, const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QByteArray bytes = file.read(qint64(kMaxLiblistBytes) + 1);
    if (bytes.size() > qsizetype(kMaxLiblistBytes))
        return std::nullopt;
    // A NUL inside the file ends the text, as it would for any C reader.
    return ParseLiblist(bytes.constData(), directoryName);
}

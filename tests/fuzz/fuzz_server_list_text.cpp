// Arbitrary list files of kestrel-query: every server read has a host of the allowed
// characters and a port in range, and what was read reads back the same; the CSV and
// terminal forms of the bytes stay within their rules; the JSON form is valid JSON.
#include "query/CsvReport.h"
#include "query/JsonReport.h"
#include "query/ServerSources.h"
#include "query/TerminalText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QStringDecoder>

#include <string>
#include <vector>

// The text as UTF-8 with a leading byte order mark kept as a character (QString::fromUtf8
// drops it); the JSON may hold either form.
static QString Decoded(const std::string& text)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    return decoder(QByteArrayView(text.data(), qsizetype(text.size())));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<SourcedServer> servers;
    std::string error;
    if (ParseServerListText(text, servers, error)) {
        std::string again;
        for (const SourcedServer& s : servers) {
            if (s.address.port < 1 || s.address.port > 65535 || s.address.host.empty() ||
                s.address.host.find_first_of(" :#[]\n") != std::string::npos)
                __builtin_trap();
            again += s.address.host + ':' + std::to_string(s.address.port) + '\n';
        }
        std::vector<SourcedServer> reread;
        if (!ParseServerListText(again, reread, error) || reread.size() != servers.size())
            __builtin_trap();
    } else if (error.rfind("line ", 0) != 0) {
        __builtin_trap();
    }
    const std::string cell = Printable(text, 40);
    if (CharacterCount(cell) > 40)
        __builtin_trap();
    for (const unsigned char c : cell)
        if (c < 0x20 || c == 0x7f)
            __builtin_trap();
    const std::string field = CsvField(text);
    if (field != text && (field.size() < 2 || field.front() != '"' || field.back() != '"'))
        __builtin_trap();
    std::string json = "[";
    AppendJsonString(json, text);
    json += ']';
    QJsonParseError parsed{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(json), &parsed);
    // Qt's UTF-8 readers drop byte order marks, so a text holding one is compared no further.
    const bool hasBom = text.find("\xEF\xBB\xBF") != std::string::npos;
    if (parsed.error != QJsonParseError::NoError ||
        (!hasBom && (doc.array().at(0).toString() != Decoded(text) &&
                     doc.array().at(0).toString() != QString::fromUtf8(text.data(), qsizetype(text.size())))))
        __builtin_trap();
    return 0;
}

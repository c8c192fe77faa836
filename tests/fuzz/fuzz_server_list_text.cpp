// Arbitrary list files of kestrel-query: every server read has a host of the allowed
// characters and a port in range, and what was read reads back the same; the CSV and
// terminal forms of the bytes stay within their rules; the JSON form is valid JSON.
#include "query/CsvReport.h"
#include "query/JsonReport.h"
#include "query/ServerSources.h"
#include "query/TerminalText.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <string>
#include <vector>

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
    if (parsed.error != QJsonParseError::NoError ||
        doc.array().at(0).toString() != QString::fromUtf8(text.data(), qsizetype(text.size())))
        __builtin_trap();
    return 0;
}

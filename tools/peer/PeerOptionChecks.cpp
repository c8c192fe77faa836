#include "peer/PeerOptionChecks.h"

#include <algorithm>

namespace {

bool Digits(const std::string& text, size_t most)
{
    return !text.empty() && text.size() <= most &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

bool ReadIPv4HostPort(const std::string& text, std::string& address, int& port, std::string& error)
{
    error = "expected an IPv4 address a.b.c.d:port, got " + text;
    const size_t colon = text.find(':');
    if (colon == std::string::npos || text.find(':', colon + 1) != std::string::npos)
        return false;
    const std::string host = text.substr(0, colon);
    int parts = 0;
    for (size_t start = 0; start <= host.size(); ++parts) {
        const size_t dot = std::min(host.find('.', start), host.size());
        const std::string part = host.substr(start, dot - start);
        // A leading zero would be read as octal when the address is converted.
        if (!Digits(part, 3) || (part.size() > 1 && part[0] == '0') || std::stoi(part) > 255)
            return false;
        start = dot + 1;
    }
    const std::string digits = text.substr(colon + 1);
    if (parts != 4 || !Digits(digits, 5) || std::stoi(digits) < 1 || std::stoi(digits) > 65535)
        return false;
    address = host;
    port = std::stoi(digits);
    error.clear();
    return true;
}

bool CheckInfoText(const std::string& option, const std::string& value, std::string& error)
{
    if (value.find('\\') == std::string::npos)
        return true;
    error = "bad value for " + option + ": a backslash separates the info reply's fields: " + value;
    return false;
}

bool FindConfigOption(const QStringList& arguments, qsizetype& index, qsizetype& length, QString& path,
                      std::string& error)
{
    index = -1;
    length = 0;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        const bool separate = word == "--config";
        const bool joined = word.startsWith("--config=");
        if (!separate && !joined)
            continue;
        if (index >= 0) {
            error = "--config given twice";
            return false;
        }
        index = i;
        if (joined) {
            length = 1;
            path = word.mid(word.indexOf('=') + 1);
        } else {
            length = 2;
            path = i + 1 < arguments.size() ? arguments[i + 1] : QString();
        }
        if (path.isEmpty()) {
            error = "--config needs a file";
            return false;
        }
    }
    return true;
}

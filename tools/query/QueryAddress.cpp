// HOST:PORT texts of the command line and of list files. The game's protocols are
// IPv4 only, so IPv6 forms are refused at once rather than failing at the query.
#include "query/QueryOptions.h"

#include <algorithm>
#include <cctype>

namespace {

bool Fail(std::string* why, std::string reason)
{
    if (why)
        *why = std::move(reason);
    return false;
}

// Letters, digits, '-' and '.', as host names and dotted quads are written.
bool HostCharacters(const std::string& host)
{
    return std::all_of(host.begin(), host.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.'; });
}

// All digits and dots: meant as a dotted quad, so it must be one.
bool LooksNumeric(const std::string& host)
{
    return std::all_of(host.begin(), host.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) || c == '.'; });
}

bool DottedQuad(const std::string& host)
{
    int parts = 0;
    size_t start = 0;
    while (start <= host.size()) {
        const size_t dot = std::min(host.find('.', start), host.size());
        const std::string part = host.substr(start, dot - start);
        // A leading zero would be read as octal by the address parsers.
        if (part.empty() || part.size() > 3 || (part.size() > 1 && part[0] == '0') || std::stoi(part) > 255)
            return false;
        ++parts;
        start = dot + 1;
    }
    return parts == 4;
}

} // namespace

bool SplitHostPort(const std::string& text, int defaultPort, std::string& host, int& port, std::string* why)
{
    if (!text.empty() && text.front() == '[')
        return Fail(why, "IPv6 addresses are not supported (the game's protocols are IPv4): " + text);
    if (std::count(text.begin(), text.end(), ':') > 1)
        return Fail(why, "IPv6 addresses are not supported (the game's protocols are IPv4): " + text);
    const size_t colon = text.rfind(':');
    host = text.substr(0, colon);
    port = defaultPort;
    if (colon != std::string::npos) {
        const std::string digits = text.substr(colon + 1);
        if (digits.empty() || digits.size() > 5 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return Fail(why, "bad port in " + text);
        port = std::stoi(digits);
    }
    if (port <= 0 || port > 65535)
        return Fail(why, "bad port in " + text);
    if (host.empty() || !HostCharacters(host) || (LooksNumeric(host) && !DottedQuad(host)))
        return Fail(why, "bad address: " + text);
    return true;
}

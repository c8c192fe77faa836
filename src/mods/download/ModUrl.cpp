#include "mods/download/ModUrl.h"

#include "app/text/TextCase.h"
#include "mods/download/SafeFiles.h"
#include "platform/NumberText.h"

#include <algorithm>

namespace {

bool IsHostChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-' ||
           c == '_';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

std::string ModUrl::Text() const
{
    return WithPath(path) + (query.empty() ? "" : "?" + query);
}

std::string ModUrl::WithPath(const std::string& newPath) const
{
    std::string text = scheme + "://" + host;
    if (port)
        text += ":" + FormatInt(port);
    return text + newPath;
}

std::optional<ModUrl> ParseModUrl(const std::string& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) <= 32 || c == 127)
            return std::nullopt;
    ModUrl url;
    std::string rest;
    const size_t scheme = text.find("//");
    if (scheme == std::string::npos) {
        // host/root or host\root: an FTP site and the folder of the game.
        url.scheme = "ftp";
        rest = text;
        std::replace(rest.begin(), rest.end(), '\\', '/');
    } else {
        if (scheme == 0 || text[scheme - 1] != ':')
            return std::nullopt;
        url.scheme = LowerText(text.substr(0, scheme - 1));
        if (url.scheme != "ftp" && url.scheme != "http" && url.scheme != "https")
            return std::nullopt;
        rest = text.substr(scheme + 2);
    }
    const size_t hostEnd = rest.find_first_of("/?#");
    std::string authority = rest.substr(0, hostEnd);
    rest = hostEnd == std::string::npos ? std::string() : rest.substr(hostEnd);
    const size_t colon = authority.find(':');
    if (colon != std::string::npos) {
        const std::string port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5 ||
            !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::nullopt;
        url.port = ParseInt(port);
        if (url.port < 1 || url.port > 65535)
            return std::nullopt;
        authority.resize(colon);
    }
    if (authority.empty() || authority.size() > 253 || !std::all_of(authority.begin(), authority.end(), IsHostChar))
        return std::nullopt;
    url.host = authority;
    const size_t fragment = rest.find('#');
    if (fragment != std::string::npos)
        rest.resize(fragment);
    const size_t query = rest.find('?');
    if (query != std::string::npos) {
        url.query = rest.substr(query + 1);
        rest.resize(query);
    }
    url.path = rest.empty() ? "/" : rest;
    if (url.path[0] != '/')
        url.path = "/" + url.path;
    return url;
}

bool IsOpenableInfoUrl(const std::string& text)
{
    const std::optional<ModUrl> url = ParseModUrl(text);
    return url && text.find("//") != std::string::npos && !url->IsFtp();
}

std::optional<std::string> HttpLocalName(const ModUrl& url)
{
    const size_t slash = url.path.find_last_of('/');
    const std::string segment = url.path.substr(slash == std::string::npos ? 0 : slash + 1);
    std::string name;
    for (size_t i = 0; i < segment.size(); ++i) {
        if (segment[i] == '%' && i + 2 < segment.size()) {
            const int high = HexValue(segment[i + 1]);
            const int low = HexValue(segment[i + 2]);
            if (high >= 0 && low >= 0) {
                name += char(high * 16 + low);
                i += 2;
                continue;
            }
        }
        name += segment[i];
    }
    if (!IsSafeName(name))
        return std::nullopt;
    return name;
}

std::string EncodePathSegment(const std::string& name)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
            c == '.' || c == '~') {
            out += char(c);
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

#pragma once
// The download address of a custom game ("url_dl"): either "host/root" (read as
// ftp://host/root) or a URL. Only ftp, http and https are accepted; a port is
// allowed; user names, passwords and control characters are not.
#include <cstdint>
#include <optional>
#include <string>

struct ModUrl
{
    std::string scheme; // "ftp", "http" or "https"
    std::string host;
    int port = 0;       // 0: the scheme's default
    std::string path;   // from the first '/' after the host, without query or fragment; "/" at least
    std::string query;  // after '?', without the '?'

    bool IsFtp() const { return scheme == "ftp"; }
    // The URL for the transfer library (path and query as given).
    std::string Text() const;
    // The same address with another path (FTP listing and file names).
    std::string WithPath(const std::string& path) const;
};

std::optional<ModUrl> ParseModUrl(const std::string& text);
// True when "url_info" may be opened in the browser: an http(s) URL.
bool IsOpenableInfoUrl(const std::string& text);
// The name an HTTP download is saved under: the decoded last path segment; no value
// when it is empty, "." or "..", holds a separator or a control character.
std::optional<std::string> HttpLocalName(const ModUrl& url);
// Percent-encodes what a URL path may not hold as it stands (FTP names).
std::string EncodePathSegment(const std::string& name);

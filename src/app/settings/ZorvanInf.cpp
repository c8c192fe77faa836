#include "app/settings/ZorvanInf.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace {

constexpr size_t kSectionBuffer = 16384;

std::string Trim(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a])))
        ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

std::string Lower(std::string s)
{
    for (char& c : s)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// The section's lines as the INI reader hands them over: "key=value" entries, each
// ended by a NUL.
std::string SectionText(const std::string& text, const std::string& section)
{
    std::istringstream in(text);
    std::string line, out;
    bool inside = false;
    while (std::getline(in, line)) {
        const std::string t = Trim(line);
        if (t.empty() || t[0] == ';')
            continue;
        if (t.front() == '[') {
            const size_t close = t.find(']');
            inside = close != std::string::npos && Lower(Trim(t.substr(1, close - 1))) == Lower(section);
            continue;
        }
        if (!inside)
            continue;
        const size_t eq = t.find('=');
        out += eq == std::string::npos ? t : Trim(t.substr(0, eq)) + "=" + Trim(t.substr(eq + 1));
        out += '\0';
    }
    return out;
}

void TakeValue(const std::string& section, const std::string& key, std::string& value)
{
    const size_t pos = Lower(section).find(Lower(key));
    if (pos == std::string::npos)
        return;
    const size_t start = pos + key.size();
    const size_t end = section.find('\0', start);
    value = section.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

} // namespace

InstallIdent ParseZorvanInf(const std::string& text)
{
    InstallIdent ident;
    const std::string section = SectionText(text, "Ident");
    // A section that fills the reader's buffer is not trusted.
    if (section.empty() || section.size() + 2 >= kSectionBuffer)
        return ident;
    TakeValue(section, "PatchVersion=", ident.patchVersion);
    TakeValue(section, "ShortTitle=", ident.shortTitle);
    return ident;
}

InstallIdent ReadZorvanInf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return ParseZorvanInf(buffer.str());
}

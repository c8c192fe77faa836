#include "app/StringList.h"

#include "app/BuiltinStrings.h"
#include "app/LauncherState.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kMaxText = 1023;

std::string SubstituteGameName(std::string text)
{
    const std::string& name = ProductTitle();
    for (size_t pos = 0; pos + 5 <= text.size();) {
        if (strncasecmp(text.c_str() + pos, "!game", 5) == 0) {
            text.replace(pos, 5, name);
            pos += name.size();
        } else {
            ++pos;
        }
    }
    return text;
}

} // namespace

std::string GetString(int number)
{
    const char* builtin = BuiltinString(number);
    if (!builtin)
        return {};
    std::string text = SubstituteGameName(builtin);
    if (text.size() > kMaxText)
        text.resize(kMaxText);
    return text;
}

std::string FormatString(int number, ...)
{
    const std::string format = GetString(number);
    char buffer[kMaxText + 1];
    va_list args;
    va_start(args, number);
    std::vsnprintf(buffer, sizeof buffer, format.c_str(), args);
    va_end(args);
    return buffer;
}

#include "app/text/NoCase.h"

#include <strings.h>

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && ::strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && ::strncasecmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

#include "ConsoleVariables.h"
#include "platform/NumberText.h"

#include <cctype>
#include <cstdlib>

ConsoleVariables::ConsoleVariables()
{
    // The variables the launcher and the stand-in itself read.
    Set("name", "Player");
    Set("password", "");
    Set("scr_connectmsg", "0");
    Set("scr_connectmsg1", "0");
    Set("scr_connectmsg2", "0");
    Set("cl_connecttimeout", "15");
    Set("cl_resend", "1");
    Set("maxplayers", "1");
    Set("skill", "1");
    Set("hostname", "Kestrel");
    Set("sv_password", "");
    Set("sv_lan", "0");
    Set("rate", "2500");
}

std::string ConsoleVariables::Key(const std::string& name)
{
    std::string key = name;
    for (char& c : key)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

bool ConsoleVariables::Has(const std::string& name) const
{
    return m_values.count(Key(name)) != 0;
}

const std::string& ConsoleVariables::Get(const std::string& name) const
{
    static const std::string empty;
    const auto found = m_values.find(Key(name));
    return found == m_values.end() ? empty : found->second;
}

double ConsoleVariables::Number(const std::string& name, double fallback) const
{
    const std::string& text = Get(name);
    if (text.empty())
        return fallback;
    size_t used = 0;
    const double value = ParseDouble(text, &used);
    return used == 0 ? fallback : value;
}

void ConsoleVariables::Set(const std::string& name, const std::string& value)
{
    m_values[Key(name)] = value.substr(0, kMaxValue);
}

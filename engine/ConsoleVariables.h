#pragma once
// The engine's console variables: named texts, names compared case-insensitively.
#include <map>
#include <string>

class ConsoleVariables
{
public:
    static constexpr size_t kMaxValue = 1023;

    ConsoleVariables();
    bool Has(const std::string& name) const;
    // The value, or an empty text for an unknown variable.
    const std::string& Get(const std::string& name) const;
    double Number(const std::string& name, double fallback) const;
    // Sets (or creates) a variable; values are cut at kMaxValue characters.
    void Set(const std::string& name, const std::string& value);

private:
    static std::string Key(const std::string& name);
    std::map<std::string, std::string> m_values;
};

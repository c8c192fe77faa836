#pragma once
// A description: a typed list of console-variable options declared by a description
// script, which also remembers the values last chosen. Reading parses the script;
// writing regenerates it with the current values as the new defaults, and writes a
// cvar/value settings file the engine can execute. Generated lines end in CR LF.
#include "config/scripts/CDescriptionOption.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CDescription
{
public:
    static constexpr double kScriptVersion = 1.0;

    // The value a configuration file holds for a cvar, or no value.
    using ConfigLookup = std::function<std::optional<std::string>(const std::string& cvar)>;
    // Writes one value into the configuration file.
    using ConfigWriter = std::function<void(const std::string& cvar, const std::string& value, bool setInfo)>;

    virtual ~CDescription() = default;
    CDescription(const CDescription&) = delete;
    CDescription& operator=(const CDescription&) = delete;

    // Finds the script through the game file search and parses it. False only when
    // the file is missing or unreadable; a script with errors reports the first one
    // to the player and keeps the options read before it.
    bool ReadFromFile(const std::string& fileName);
    // Parses a whole script from position; on success position is left after the
    // description's closing brace.
    bool Parse(const char*& position);
    bool ParseText(const char* text);

    // The regenerated script (layout header, option blocks, closing brace). Strips
    // quotes and percent signs from the options' texts in place.
    void WriteLayout(std::string& out, const std::tm& stamp);
    // The settings file: header, then one "cvar"<tab><tab>"value" line per option.
    void WriteSettings(std::string& out, const std::tm& stamp) const;
    // Generate and write a file; false when it could not be written (the old file is
    // then left as it was).
    bool SaveLayout(const std::string& path);
    bool SaveSettings(const std::string& path) const;

    void ApplyToConfig(const ConfigWriter& write) const;
    void LoadFromConfig(const ConfigLookup& lookUp);

    std::vector<CDescriptionOption>& Options() { return m_options; }
    const std::vector<CDescriptionOption>& Options() const { return m_options; }
    const std::string& Name() const { return m_name; }
    const std::string& Note() const { return m_note; }

    // "// File generated:  Www Mmm dd hh:mm:ss AM\r\n" with a 12-hour clock.
    static std::string TimeStampLine(const std::tm& local);
    static std::tm LocalNow();

protected:
    CDescription(std::string name, const char* scriptKindLine);

    virtual void WriteLayoutHeader(std::string& out, const std::tm& stamp) = 0;
    virtual void WriteSettingsHeader(std::string& out, const std::tm& stamp) const = 0;

    // The parts of the headers that the two descriptions share.
    void WriteLayoutHeaderWith(std::string& out, const std::tm& stamp, const char* titleLine) const;
    static void WriteSettingsHeaderWith(std::string& out, const std::tm& stamp, const char* titleLine);

private:
    std::vector<CDescriptionOption> m_options;
    std::string m_note;
    std::string m_name;
};

#pragma once
// The launcher's working copy of its command line ("effective command line") and the
// option lookup every subsystem uses. Matching is a plain case-sensitive substring
// search anywhere in the text: "-win" is found inside "-windowed".
#include <functional>
#include <string>
#include <string_view>

class CommandLine
{
public:
    static constexpr size_t kMaxText = 4095;      // work area of 4096 bytes
    static constexpr size_t kMaxFileName = 255;   // parameter file names
    static constexpr size_t kMaxOptionValue = 128;

    // Opens a parameter file by name; returns false when it cannot be read.
    using FileReader = std::function<bool(const std::string& name, std::string& contents)>;
    // Told about each parameter file that could not be opened.
    using MissingFileReport = std::function<void(const std::string& name)>;

    CommandLine() = default;
    explicit CommandLine(std::string text) : m_text(std::move(text)), m_present(true) {}

    // Copies the process command line, replacing every "@file" word by the file's
    // lines joined with spaces. Never grows past kMaxText characters.
    static CommandLine Expand(std::string_view processText, const FileReader& reader,
                              const MissingFileReport& missing);

    bool Present() const { return m_present; }
    const std::string& Text() const { return m_text; }

    // True when name occurs anywhere; with value, also the word after the matched word
    // (empty when the matched word is the last one).
    bool FindOption(std::string_view name, std::string* value = nullptr) const;
    // Position of the first match, or npos.
    size_t Find(std::string_view name) const { return m_text.find(name); }
    void RemoveOption(std::string_view name);
    void AppendOption(std::string_view name, std::string_view value = {});

private:
    std::string m_text;
    bool m_present = false;
};

// The process-wide effective command line that the option functions below read.
CommandLine& EffectiveCommandLine();

bool FindOption(std::string_view name, std::string* value = nullptr);
// The option's value, or an empty text when absent or value-less.
std::string OptionValue(std::string_view name);
void RemoveOption(std::string_view name);
void AppendOption(std::string_view name, std::string_view value = {});

// Reads a parameter file as text from the working directory.
bool ReadParameterFile(const std::string& name, std::string& contents);

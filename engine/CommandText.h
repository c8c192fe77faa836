#pragma once
// Console command text: commands end at a line feed, or at ';' outside quotes; words
// are separated by spaces, and a quoted word keeps its spaces.
#include <string>
#include <vector>

class CommandText
{
public:
    static constexpr size_t kMaxBuffered = 16384; // text waiting to run
    static constexpr size_t kMaxWords = 64;

    // Appends text; text that would overflow the buffer is dropped whole. Returns
    // false when it was dropped.
    bool Add(const std::string& text);
    // Puts text before what is waiting (a script runs before the commands after it),
    // with a line end after it; dropped whole, returning false, when it does not fit.
    bool Insert(const std::string& text);
    // Takes the next command's words; false when none is waiting.
    bool Next(std::vector<std::string>& words);
    void Clear() { m_text.clear(); }

    static std::vector<std::string> Split(const std::string& command);

private:
    std::string m_text;
};

// A script's text without its "//" comments (outside quotes, up to the line end).
std::string WithoutComments(const std::string& text);

// The "+command args" parts of a command line as command texts ("+connect a:1"
// gives "connect a:1\n").
std::string CommandLineCommands(const std::string& commandLine);

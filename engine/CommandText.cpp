#include "CommandText.h"

bool CommandText::Add(const std::string& text)
{
    if (m_text.size() + text.size() > kMaxBuffered)
        return false;
    m_text += text;
    return true;
}

bool CommandText::Insert(const std::string& text)
{
    if (m_text.size() + text.size() + 1 > kMaxBuffered)
        return false;
    m_text.insert(0, text + '\n');
    return true;
}

std::string WithoutComments(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n')
            quoted = false;
        else if (c == '"')
            quoted = !quoted;
        else if (!quoted && c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n')
                ++i;
            if (i < text.size())
                out += '\n';
            continue;
        }
        out += c == '\0' ? ' ' : c;
    }
    return out;
}

bool CommandText::Next(std::vector<std::string>& words)
{
    while (!m_text.empty()) {
        bool quoted = false;
        size_t end = 0;
        for (; end < m_text.size(); ++end) {
            const char c = m_text[end];
            if (c == '"')
                quoted = !quoted;
            else if (c == '\n' || (c == ';' && !quoted))
                break;
        }
        const std::string command = m_text.substr(0, end);
        m_text.erase(0, end < m_text.size() ? end + 1 : end);
        words = Split(command);
        if (!words.empty())
            return true;
    }
    return false;
}

std::vector<std::string> CommandText::Split(const std::string& command)
{
    std::vector<std::string> words;
    size_t pos = 0;
    while (pos < command.size() && words.size() < kMaxWords) {
        while (pos < command.size() && (command[pos] == ' ' || command[pos] == '\t' || command[pos] == '\r'))
            ++pos;
        if (pos >= command.size())
            break;
        std::string word;
        if (command[pos] == '"') {
            const size_t close = command.find('"', pos + 1);
            const size_t end = close == std::string::npos ? command.size() : close;
            word = command.substr(pos + 1, end - pos - 1);
            pos = end + 1;
        } else {
            const size_t end = command.find_first_of(" \t\r", pos);
            word = command.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
            pos = end == std::string::npos ? command.size() : end;
        }
        words.push_back(word);
    }
    return words;
}

std::string CommandLineCommands(const std::string& commandLine)
{
    std::string commands;
    const std::vector<std::string> words = CommandText::Split(commandLine);
    bool inCommand = false;
    for (const std::string& word : words) {
        if (!word.empty() && word[0] == '+') {
            if (inCommand)
                commands += '\n';
            commands += word.substr(1);
            inCommand = true;
        } else if (!word.empty() && word[0] == '-') {
            if (inCommand)
                commands += '\n';
            inCommand = false;
        } else if (inCommand) {
            commands += ' ' + word;
        }
    }
    if (inCommand)
        commands += '\n';
    return commands;
}

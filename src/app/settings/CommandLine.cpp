#include "app/settings/CommandLine.h"

#include <fstream>
#include <sstream>

CommandLine CommandLine::Expand(std::string_view processText, const FileReader& reader,
                                const MissingFileReport& missing)
{
    std::string out;
    out.reserve(kMaxText);
    auto append = [&out](char c) {
        if (out.size() >= kMaxText)
            return false;
        out.push_back(c);
        return true;
    };

    size_t i = 0;
    bool full = false;
    while (i < processText.size() && !full) {
        const char c = processText[i];
        if (c != '@') {
            full = !append(c);
            ++i;
            continue;
        }
        // '@' starts a file name that runs to the next space; the space is consumed.
        ++i;
        std::string name;
        while (i < processText.size() && processText[i] != ' ') {
            if (name.size() < kMaxFileName)
                name.push_back(processText[i]);
            ++i;
        }
        if (i < processText.size())
            ++i;

        std::string contents;
        if (!reader || !reader(name, contents)) {
            if (missing)
                missing(name);
            continue;
        }
        for (size_t k = 0; k < contents.size() && !full; ++k) {
            char fc = contents[k];
            if (fc == '\r' || fc == '\n') {
                // A CR LF pair is one line end.
                if (fc == '\r' && k + 1 < contents.size() && contents[k + 1] == '\n')
                    ++k;
                fc = ' ';
            }
            full = !append(fc);
        }
        if (!full)
            full = !append(' ');
    }
    return CommandLine(std::move(out));
}

bool CommandLine::FindOption(std::string_view name, std::string* value) const
{
    if (value)
        value->clear();
    if (!m_present || name.empty())
        return false;
    size_t pos = m_text.find(name);
    if (pos == std::string::npos)
        return false;
    if (value) {
        while (pos < m_text.size() && m_text[pos] != ' ')
            ++pos;
        if (pos < m_text.size())
            ++pos;
        while (pos < m_text.size() && m_text[pos] != ' ' && value->size() < kMaxOptionValue)
            value->push_back(m_text[pos++]);
    }
    return true;
}

void CommandLine::RemoveOption(std::string_view name)
{
    if (!m_present || name.empty())
        return;
    size_t pos;
    while ((pos = m_text.find(name)) != std::string::npos) {
        const size_t next = m_text.find_first_of("-+", pos + 1);
        if (next == std::string::npos)
            m_text.erase(pos);
        else
            m_text.erase(pos, next - pos);
    }
    while (!m_text.empty() && m_text.back() == ' ')
        m_text.pop_back();
}

void CommandLine::AppendOption(std::string_view name, std::string_view value)
{
    std::string addition(name);
    if (!value.empty()) {
        addition += ' ';
        addition += value;
    }
    if (!m_present) {
        m_text = addition;
        m_present = true;
        return;
    }
    RemoveOption(name);
    m_text += ' ';
    m_text += addition;
}

CommandLine& EffectiveCommandLine()
{
    static CommandLine line;
    return line;
}

bool FindOption(std::string_view name, std::string* value)
{
    return EffectiveCommandLine().FindOption(name, value);
}

std::string OptionValue(std::string_view name)
{
    std::string value;
    EffectiveCommandLine().FindOption(name, &value);
    return value;
}

void RemoveOption(std::string_view name)
{
    EffectiveCommandLine().RemoveOption(name);
}

void AppendOption(std::string_view name, std::string_view value)
{
    EffectiveCommandLine().AppendOption(name, value);
}

bool ReadParameterFile(const std::string& name, std::string& contents)
{
    std::ifstream in(name);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    contents = buffer.str();
    return true;
}

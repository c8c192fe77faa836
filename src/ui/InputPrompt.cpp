#include "ui/InputPrompt.h"

namespace {
CancelInputPrompt g_cancel;
InputPrompt* g_input = &g_cancel;
} // namespace

InputPrompt& CurrentInputPrompt()
{
    return *g_input;
}

void SetInputPrompt(InputPrompt* prompt)
{
    g_input = prompt ? prompt : &g_cancel;
}

std::string CutUtf8(const std::string& text, size_t maxLength)
{
    if (text.size() <= maxLength)
        return text;
    size_t end = maxLength;
    // Step back over continuation bytes to the start of the cut sequence.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

ScriptedInputPrompt::ScriptedInputPrompt() : m_previous(&CurrentInputPrompt())
{
    SetInputPrompt(this);
}

ScriptedInputPrompt::~ScriptedInputPrompt()
{
    SetInputPrompt(m_previous == &g_cancel ? nullptr : m_previous);
}

std::optional<std::string> ScriptedInputPrompt::Ask(const std::string& prompt, size_t maxLength, const std::string&)
{
    m_questions.push_back(prompt);
    m_maxLengths.push_back(maxLength);
    if (m_answers.empty())
        return std::nullopt;
    std::optional<std::string> answer = std::move(m_answers.front());
    m_answers.pop_front();
    if (answer)
        *answer = CutUtf8(*answer, maxLength);
    return answer;
}

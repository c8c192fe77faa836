#include "RecordingPrompt.h"

RecordingPrompt::RecordingPrompt()
{
    SetPrompt(this);
}

RecordingPrompt::~RecordingPrompt()
{
    SetPrompt(nullptr);
}

int RecordingPrompt::Show(const std::string& text, PromptButtons buttons)
{
    m_texts.push_back(text);
    m_buttons.push_back(buttons);
    return m_answer;
}

void RecordingPrompt::Clear()
{
    m_texts.clear();
    m_buttons.clear();
}

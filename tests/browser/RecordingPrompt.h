#pragma once
// A prompt that records what the code asked and answers with a scripted button.
#include "app/text/Prompt.h"

#include <string>
#include <vector>

class RecordingPrompt : public Prompt
{
public:
    explicit RecordingPrompt(int answer = kPromptFirst) : m_answer(answer) {}
    int Show(const std::string& text, PromptButtons buttons) override
    {
        texts.push_back(text);
        this->buttons.push_back(buttons);
        return m_answer;
    }
    std::vector<std::string> texts;
    std::vector<PromptButtons> buttons;

private:
    int m_answer;
};

// Installs a prompt as the current one for the lifetime of the object.
class ScopedPrompt
{
public:
    explicit ScopedPrompt(Prompt& prompt) { SetPrompt(&prompt); }
    ~ScopedPrompt() { SetPrompt(nullptr); }
};

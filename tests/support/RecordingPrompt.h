#pragma once
// A prompt for tests: installs itself while it lives, records every text shown and
// answers with a chosen button.
#include "app/text/Prompt.h"

#include <string>
#include <vector>

class RecordingPrompt : public Prompt
{
public:
    RecordingPrompt();
    ~RecordingPrompt() override;
    RecordingPrompt(const RecordingPrompt&) = delete;
    RecordingPrompt& operator=(const RecordingPrompt&) = delete;

    int Show(const std::string& text, PromptButtons buttons) override;

    void SetAnswer(int answer) { m_answer = answer; }
    const std::vector<std::string>& Texts() const { return m_texts; }
    const std::vector<PromptButtons>& Buttons() const { return m_buttons; }
    void Clear();

private:
    std::vector<std::string> m_texts;
    std::vector<PromptButtons> m_buttons;
    int m_answer = kPromptFirst;
};

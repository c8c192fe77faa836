#pragma once
// The launcher's message box: a text and one or two buttons on the "prompt"
// background, in the PROMPT_* colours. Enter presses the first button; Escape and
// closing the window choose the second one (the only one of a one-button prompt).
// When the session ends the launcher, the window closes with no button chosen.
#include "app/text/Prompt.h"
#include "ui/CKSDialog.h"

class QLabel;
class QScrollArea;

class CKSPromptDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "prompt";
    static constexpr int kMaxHeight = 440; // taller texts scroll

    CKSPromptDlg(const std::string& text, PromptButtons buttons, QWidget* parent = nullptr);

    // Runs the prompt; kPromptFirst or kPromptSecond, or kPromptNone when a question
    // was closed without an answer.
    int Ask();

    CODBlendBtn* FirstButton() const { return m_first; }
    CODBlendBtn* SecondButton() const { return m_second; }
    QLabel* TextLabel() const { return m_text; }

protected:
    void OnEscape() override;

private:
    void FitText();

    QLabel* m_text = nullptr;
    QScrollArea* m_scroll = nullptr;
    CODBlendBtn* m_first = nullptr;
    CODBlendBtn* m_second = nullptr;
};

// The Prompt the running program installs with SetPrompt: each message opens a
// CKSPromptDlg over the active window.
class SkinnedPrompt : public Prompt
{
public:
    int Show(const std::string& text, PromptButtons buttons) override;
};

#pragma once
// How the launcher asks the player for a line of text (a password, a server
// address). The skinned input dialog answers in the running program; tests script
// the answers.
#include <deque>
#include <optional>
#include <string>
#include <vector>

class InputPrompt
{
public:
    virtual ~InputPrompt() = default;
    // The text entered (UTF-8, at most maxLength bytes), or no value when cancelled.
    virtual std::optional<std::string> Ask(const std::string& prompt, size_t maxLength,
                                           const std::string& initial = {}) = 0;
};

// Cancels every question; in use until a window system is up.
class CancelInputPrompt : public InputPrompt
{
public:
    std::optional<std::string> Ask(const std::string&, size_t, const std::string&) override { return std::nullopt; }
};

// Answers from a queue (no value in the queue, or an empty queue, is a cancel) and
// records the questions. Installs itself while it lives. Answers longer than the
// maximum length are cut, as the dialog would.
class ScriptedInputPrompt : public InputPrompt
{
public:
    ScriptedInputPrompt();
    ~ScriptedInputPrompt() override;
    ScriptedInputPrompt(const ScriptedInputPrompt&) = delete;
    ScriptedInputPrompt& operator=(const ScriptedInputPrompt&) = delete;

    std::optional<std::string> Ask(const std::string& prompt, size_t maxLength, const std::string& initial) override;

    void AddAnswer(std::optional<std::string> answer) { m_answers.push_back(std::move(answer)); }
    const std::vector<std::string>& Questions() const { return m_questions; }
    const std::vector<size_t>& MaxLengths() const { return m_maxLengths; }

private:
    InputPrompt* m_previous = nullptr;
    std::deque<std::optional<std::string>> m_answers;
    std::vector<std::string> m_questions;
    std::vector<size_t> m_maxLengths;
};

// The input prompt in use; never null. nullptr restores the cancelling prompt.
InputPrompt& CurrentInputPrompt();
void SetInputPrompt(InputPrompt* prompt);

// The longest prefix of the text that has at most maxLength bytes and does not end
// inside a UTF-8 sequence.
std::string CutUtf8(const std::string& text, size_t maxLength);

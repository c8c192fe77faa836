#pragma once
// Asks for one line of text: a question, an edit field that takes at most a given
// number of bytes, OK and Cancel, on the "prompt" background in the INPUT_* colours.
#include "ui/CKSDialog.h"
#include "ui/InputPrompt.h"

#include <optional>

class QLabel;
class QLineEdit;

class CKSInputDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "prompt";

    CKSInputDlg(const std::string& prompt, size_t maxLength, const std::string& initial = {},
                QWidget* parent = nullptr);

    // Runs the dialog; the text on OK, no value on Cancel or Escape.
    std::optional<std::string> Ask();

    QLineEdit* Field() const { return m_field; }
    CODBlendBtn* OkButton() const { return m_ok; }
    CODBlendBtn* CancelButton() const { return m_cancel; }
    // The field's text, cut to the maximum length.
    std::string Text() const;

private:
    void KeepWithinLimit();

    size_t m_maxLength;
    QLabel* m_prompt = nullptr;
    QLineEdit* m_field = nullptr;
    CODBlendBtn* m_ok = nullptr;
    CODBlendBtn* m_cancel = nullptr;
};

class SkinnedInputPrompt : public InputPrompt
{
public:
    std::optional<std::string> Ask(const std::string& prompt, size_t maxLength, const std::string& initial) override;
};

#include "ui/CKSPromptDlg.h"

#include "ui/CODBlendBtn.h"

#include <QApplication>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

struct ButtonLabels
{
    const char* first;
    const char* second; // nullptr for a one-button prompt
};

ButtonLabels LabelsFor(PromptButtons buttons)
{
    switch (buttons) {
    case PromptButtons::OkCancel:
        return {"OK", "Cancel"};
    case PromptButtons::YesNo:
        return {"&Yes", "&No"};
    case PromptButtons::Ok:
        break;
    }
    return {"OK", nullptr};
}

} // namespace

CKSPromptDlg::CKSPromptDlg(const std::string& text, PromptButtons buttons, QWidget* parent)
    : CKSDialog(parent, kBackground)
{
    SetSurfaceColours(SkinColour("PROMPT_BG_COLOR"), SkinColour("PROMPT_TEXT_COLOR"));
    SetTitleColour(SkinColour("PROMPT_TITLE_COLOR"));
    SetTitleText(windowTitle());

    m_text = new QLabel(QString::fromStdString(text));
    m_text->setObjectName(QStringLiteral("promptText"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_text->setFont(SkinFont(13));
    m_text->setStyleSheet(QStringLiteral("color: %1;").arg(Palette().text.name()));

    m_scroll = new QScrollArea;
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidget(m_text);
    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);

    const ButtonLabels labels = LabelsFor(buttons);
    m_first = AddButton(QString::fromUtf8(labels.first), kPromptFirst);
    if (labels.second)
        m_second = AddButton(QString::fromUtf8(labels.second), kPromptSecond);
    SetButtonsCentred(true);
    SetDefaultButton(m_first);
    FitText();
    m_first->setFocus();
}

void CKSPromptDlg::FitText()
{
    // The dialog grows downwards (its bitmap stretched) until the text fits, up to a
    // limit past which the text scrolls.
    const int textWidth = ContentRect().width() - 4;
    const int needed = m_text->heightForWidth(textWidth) + 8;
    const int available = ContentRect().height();
    if (needed <= available)
        return;
    const int grown = std::min(kMaxHeight, height() + needed - available);
    setFixedSize(width(), grown);
}

int CKSPromptDlg::Ask()
{
    const int result = exec();
    if (result == kPromptFirst || (result == kPromptSecond && m_second))
        return result;
    // Closed without a button (a termination signal closes every window with no
    // result): a message counts as read, a question as not answered.
    return m_second ? kPromptNone : kPromptFirst;
}

void CKSPromptDlg::OnEscape()
{
    done(m_second ? kPromptSecond : kPromptFirst);
}

int SkinnedPrompt::Show(const std::string& text, PromptButtons buttons)
{
    CKSPromptDlg dialog(text, buttons, QApplication::activeWindow());
    return dialog.Ask();
}

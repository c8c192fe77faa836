#include "ui/CKSInputDlg.h"

#include "ui/CODBlendBtn.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CKSInputDlg::CKSInputDlg(const std::string& prompt, size_t maxLength, const std::string& initial, QWidget* parent)
    : CKSDialog(parent, kBackground), m_maxLength(maxLength)
{
    SetSurfaceColours(SkinColour("INPUT_BG_COLOR"), SkinColour("INPUT_TEXT_COLOR"));
    SetTitleColour(SkinColour("PROMPT_TITLE_COLOR"));
    SetTitleText(windowTitle());

    m_prompt = new QLabel(QString::fromStdString(prompt));
    m_prompt->setWordWrap(true);
    m_prompt->setTextFormat(Qt::PlainText);
    m_prompt->setFont(SkinFont(13));
    m_prompt->setStyleSheet(QStringLiteral("color: %1;").arg(Palette().text.name()));

    m_field = new QLineEdit(QString::fromStdString(CutUtf8(initial, maxLength)));
    m_field->setObjectName(QStringLiteral("inputField"));
    m_field->setFont(SkinFont(13));
    m_field->setMaxLength(int(std::min<size_t>(maxLength, 32767)));
    m_field->setMinimumHeight(26);
    connect(m_field, &QLineEdit::textChanged, this, &CKSInputDlg::KeepWithinLimit);

    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(4, 0, 4, 0);
    layout->setSpacing(8);
    layout->addStretch(1);
    layout->addWidget(m_prompt);
    layout->addWidget(m_field);
    layout->addStretch(1);

    m_ok = AddButton(QStringLiteral("OK"), QDialog::Accepted);
    m_cancel = AddButton(QStringLiteral("Cancel"), QDialog::Rejected);
    SetButtonsCentred(true);
    SetDefaultButton(m_ok);
    m_field->selectAll();
    m_field->setFocus();
}

void CKSInputDlg::KeepWithinLimit()
{
    // The field counts characters; the limit is in bytes of the UTF-8 text.
    const std::string text = m_field->text().toStdString();
    if (text.size() <= m_maxLength)
        return;
    const QSignalBlocker blocker(m_field);
    const int cursor = m_field->cursorPosition();
    m_field->setText(QString::fromStdString(CutUtf8(text, m_maxLength)));
    m_field->setCursorPosition(std::min(cursor, int(m_field->text().size())));
}

std::string CKSInputDlg::Text() const
{
    return CutUtf8(m_field->text().toStdString(), m_maxLength);
}

std::optional<std::string> CKSInputDlg::Ask()
{
    if (exec() != QDialog::Accepted)
        return std::nullopt;
    return Text();
}

std::optional<std::string> SkinnedInputPrompt::Ask(const std::string& prompt, size_t maxLength,
                                                   const std::string& initial)
{
    CKSInputDlg dialog(prompt, maxLength, initial, QApplication::activeWindow());
    return dialog.Ask();
}

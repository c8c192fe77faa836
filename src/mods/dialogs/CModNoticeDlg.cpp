#include "mods/dialogs/CModNoticeDlg.h"

#include "app/text/StringList.h"
#include "mods/catalogue/ModDialogLogic.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

CModNoticeDlg::CModNoticeDlg(const std::string& text, QWidget* parent) : CKSDialog(parent)
{
    SetTitleText(QStringLiteral("Before you download"));
    resize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(Content());
    auto* view = new QPlainTextEdit(Content());
    view->setReadOnly(true);
    view->setPlainText(QString::fromUtf8(text.data(), qsizetype(text.size())));
    view->setStyleSheet(QStringLiteral("background: %1; color: %2; border: 1px solid %3;")
                            .arg(Palette().field.name(), Palette().text.name(), Palette().border.name()));
    layout->addWidget(view, 1);
    m_again = new CODCheckBox(QStringLiteral("Do not show this notice again"), Content());
    layout->addWidget(m_again);
    AddButton(QString::fromStdString(GetString(kMsgNoticeDecline)), QDialog::Rejected);
    SetDefaultButton(AddButton(QString::fromStdString(GetString(kMsgNoticeAccept)), QDialog::Accepted));
}

bool CModNoticeDlg::DoNotShowAgain() const
{
    return m_again->isChecked();
}

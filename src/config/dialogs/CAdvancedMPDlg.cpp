#include "config/dialogs/CAdvancedMPDlg.h"

#include "app/text/Messages.h"
#include "app/text/StringList.h"
#include "config/dialogs/COptionsPage.h"
#include "config/server/AdvancedServerOptions.h"
#include "ui/CODBlendBtn.h"

#include <QVBoxLayout>

CAdvancedMPDlg::CAdvancedMPDlg(CServerDescription& description, QWidget* parent)
    : CKSDialog(parent, "dialog"), m_description(description)
{
    SetTitleText(QString::fromStdString(GetString(kMsgTitle)));
    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    m_page = new COptionsPage(description, Content());
    layout->addWidget(m_page);

    m_ok = AddButton(QString::fromStdString(GetString(kMsgOk)));
    m_cancel = AddButton(QString::fromStdString(GetString(kMsgCancel)), QDialog::Rejected);
    connect(m_ok, &QAbstractButton::clicked, this, [this] {
        Confirm();
        accept();
    });
    SetDefaultButton(m_ok);
}

bool CAdvancedMPDlg::Confirm()
{
    m_page->Confirm();
    if (SaveServerOptions(m_description))
        return true;
    std::string text = kWriteFailed;
    text.replace(text.find("%s"), 2, ServerOptionsDirectory());
    ShowText(text);
    return false;
}

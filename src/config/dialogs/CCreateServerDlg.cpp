#include "config/dialogs/CCreateServerDlg.h"

#include "app/dialogs/CLoadDlg.h"
#include "app/menu/LauncherJoin.h"
#include "app/text/Messages.h"
#include "app/text/StringList.h"
#include "browser/dialogs/CLan.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "config/dialogs/CAdvancedMPDlg.h"
#include "config/player/PlayerConfig.h"
#include "config/server/AdvancedServerOptions.h"
#include "config/server/ServerLaunch.h"
#include "config/server/ServerMapList.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

QString Text(int number)
{
    return QString::fromStdString(GetString(number));
}

// The player's name from the player configuration is the server's first name.
std::string PlayerName()
{
    const PlayerConfig* config = ThePlayerConfig();
    return config ? config->name : JoinPlayerName();
}

} // namespace

CCreateServerDlg::CCreateServerDlg(bool lan, QWidget* parent) : CKSDialog(parent, "dialog"), m_lan(lan)
{
    SetHeader(kHeader);
    SetTitleText(Text(272));

    auto* layout = new QFormLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(6);
    m_hostName = new QLineEdit(QString::fromStdString(CleanServerText(PlayerName())), Content());
    m_hostName->setMaxLength(int(CreateServerRequest::kMaxText));
    m_maxPlayers = new QLineEdit(QStringLiteral("6"), Content());
    m_maxPlayers->setMaxLength(11);
    m_maxPlayers->setMaximumWidth(m_maxPlayers->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    m_password = new QLineEdit(Content());
    m_password->setMaxLength(int(CreateServerRequest::kMaxText));
    m_maps = new QListWidget(Content());
    StyleSkinList(m_maps);
    m_dedicated = new CODCheckBox(Text(kMsgDedicated), Content());
    layout->addRow(Text(kMsgHostName), m_hostName);
    layout->addRow(Text(kMsgMaxPlayers), m_maxPlayers);
    layout->addRow(Text(kMsgPassword), m_password);
    layout->addRow(Text(kMsgMap), m_maps);
    layout->addRow(QString(), m_dedicated);

    m_advanced = AddButton(Text(kMsgAdvanced));
    m_ok = AddButton(Text(kMsgOk), QDialog::Accepted);
    m_cancel = AddButton(Text(kMsgCancel), QDialog::Rejected);
    connect(m_advanced, &QAbstractButton::clicked, this, &CCreateServerDlg::Advanced);
    SetDefaultButton(m_ok);

    for (const std::string& entry : ListServerMaps())
        m_maps->addItem(QString::fromStdString(entry));
    if (m_maps->count() > 0)
        m_maps->setCurrentRow(0);
    m_maxPlayers->setText(QString::fromUtf8(kInitialMaxPlayers));
    connect(m_maps, &QListWidget::itemSelectionChanged, this, &CCreateServerDlg::UpdateOk);
    UpdateOk();
}

void CCreateServerDlg::UpdateOk()
{
    // A server needs a map: OK waits for one.
    m_ok->setEnabled(!m_maps->selectedItems().isEmpty());
}

CreateServerRequest CCreateServerDlg::Request() const
{
    const QList<QListWidgetItem*> selected = m_maps->selectedItems();
    const std::string entry = selected.isEmpty() ? std::string() : selected.front()->text().toStdString();
    return CreateServerRequest::FromTexts(m_hostName->text().toStdString(), m_maxPlayers->text().toStdString(),
                                          m_password->text().toStdString(), entry, m_dedicated->isChecked(), m_lan);
}

void CCreateServerDlg::Advanced()
{
    std::unique_ptr<CServerDescription> description = LoadServerOptions();
    if (!description) {
        ShowMessage(kMsgNoServerOptions);
        return;
    }
    CAdvancedMPDlg(*description, this).DoModal();
}

bool CCreateServerDlg::CreateFromGamesDialog(QWidget* parent)
{
    const bool lan = qobject_cast<CLan*>(parent) != nullptr;
    CreateServerRequest request;
    {
        CCreateServerDlg dialog(lan, parent);
        if (dialog.DoModal() != QDialog::Accepted) {
            if (parent)
                parent->update();
            return false;
        }
        request = dialog.Request();
    }
    return StartRequestedServer(request) && !request.dedicated;
}

void CCreateServerDlg::Install()
{
    CNetGameDlg::SetCreateGameHook(&CCreateServerDlg::CreateFromGamesDialog);
}

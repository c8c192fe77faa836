#pragma once
// The create-server dialog: host name, max players, password, the map list and the
// dedicated check box, with the advanced button for the server options. Opened by the
// create button of the LAN and Internet games dialogs, which fix the server's scope.
// The rules that turn its texts into a request live in config/server.
#include "config/server/CreateServerRequest.h"
#include "ui/CKSDialog.h"

class CODBlendBtn;
class CODCheckBox;
class QLineEdit;
class QListWidget;

class CCreateServerDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kHeader = "head_create";
    static constexpr int kMsgAdvanced = 396;
    static constexpr int kMsgOk = 280;
    static constexpr int kMsgCancel = 251;
    static constexpr int kMsgHostName = 154;
    static constexpr int kMsgMaxPlayers = 158;
    static constexpr int kMsgPassword = 206;
    static constexpr int kMsgMap = 155;
    static constexpr int kMsgDedicated = 553;
    static constexpr int kMsgNoServerOptions = 457;
    static constexpr const char* kInitialMaxPlayers = "8";

    explicit CCreateServerDlg(bool lan, QWidget* parent = nullptr);

    // The request the dialog's controls give now.
    CreateServerRequest Request() const;

    QLineEdit* HostNameEdit() const { return m_hostName; }
    QLineEdit* MaxPlayersEdit() const { return m_maxPlayers; }
    QLineEdit* PasswordEdit() const { return m_password; }
    QListWidget* MapList() const { return m_maps; }
    CODCheckBox* DedicatedCheck() const { return m_dedicated; }
    CODBlendBtn* OkButton() const { return m_ok; }
    CODBlendBtn* CancelButton() const { return m_cancel; }
    CODBlendBtn* AdvancedButton() const { return m_advanced; }

    // The advanced button: the server options dialog over settings.scr.
    void Advanced();

    // The games dialogs' create button: the dialog, then the server it asks for. True
    // when the player is in a game on a listen server.
    static bool CreateFromGamesDialog(QWidget* parent);
    // Installs CreateFromGamesDialog as the games dialogs' create button.
    static void Install();

private:
    void UpdateOk();

    bool m_lan = true;
    QLineEdit* m_hostName = nullptr;
    QLineEdit* m_maxPlayers = nullptr;
    QLineEdit* m_password = nullptr;
    QListWidget* m_maps = nullptr;
    CODCheckBox* m_dedicated = nullptr;
    CODBlendBtn* m_ok = nullptr;
    CODBlendBtn* m_cancel = nullptr;
    CODBlendBtn* m_advanced = nullptr;
};

#pragma once
// The details of one server: its name, address and ping, the players on it and its
// rules, as the last query of the record left them.
#include "ui/CKSDialog.h"

#include <functional>

class CODBlendBtn;
class CODKSListCtrl;
class CServerInfo;
class QLabel;

class CPlayerInfoDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "dialog";

    // The record must outlive the dialog.
    explicit CPlayerInfoDlg(const CServerInfo& record, QWidget* parent = nullptr);

    // Shows the record's values again (after a new query).
    void ShowRecord();
    // Offers a refresh button that runs the query and shows the new values. The
    // function returns false when the record is gone; the dialog then closes.
    void SetRefresh(std::function<bool()> refresh);
    CODBlendBtn* RefreshButton() const { return m_refreshButton; }

    CODKSListCtrl* Players() const { return m_players; }
    CODKSListCtrl* Rules() const { return m_rules; }
    QLabel* NameLabel() const { return m_name; }
    QLabel* AddressLabel() const { return m_address; }
    QLabel* PingLabel() const { return m_ping; }

private:
    const CServerInfo& m_record;
    CODKSListCtrl* m_players = nullptr;
    CODKSListCtrl* m_rules = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_address = nullptr;
    QLabel* m_ping = nullptr;
    CODBlendBtn* m_refreshButton = nullptr;
    std::function<bool()> m_refresh;
};

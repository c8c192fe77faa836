#pragma once
// The details of one server: its name, address and ping, the players on it and its
// rules, as the last query of the record left them.
#include "ui/CKSDialog.h"

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
};

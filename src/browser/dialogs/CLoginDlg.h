#pragma once
// The server-data dialog: a small window that runs the server-data exchange with the
// masters before the Internet games list first opens, showing its progress and a
// countdown. Cancel makes the opener give up.
#include "browser/master/ServerDataExchange.h"
#include "ui/CKSDialog.h"

#include <memory>

class MasterDocument;
class QLabel;
class ServiceAddressList;

class CLoginDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 170;

    CLoginDlg(MasterDocument& document, ServiceAddressList& services, QWidget* parent = nullptr);
    ~CLoginDlg() override;

    QLabel* StatusLine() const { return m_status; }
    QLabel* CountdownLine() const { return m_countdown; }

    bool OnIdle() override;

    // Runs the exchange when the launcher still needs its server data; false when the
    // player cancelled it (the opener then does not open).
    static bool RunIfNeeded(MasterDocument& document, ServiceAddressList& services, QWidget* parent);

private:
    std::unique_ptr<ServerDataExchange> m_exchange;
    QLabel* m_status = nullptr;
    QLabel* m_countdown = nullptr;
    bool m_finished = false;
};

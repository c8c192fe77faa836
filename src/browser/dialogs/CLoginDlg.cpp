#include "browser/dialogs/CLoginDlg.h"

#include "app/text/StringList.h"
#include "ui/CODBlendBtn.h"

#include <QLabel>
#include <QThread>
#include <QVBoxLayout>

CLoginDlg::CLoginDlg(MasterDocument& document, ServiceAddressList& services, QWidget* parent)
    : CKSDialog(parent), m_exchange(std::make_unique<ServerDataExchange>(document, services))
{
    setFixedSize(kWidth, kHeight);
    SetTitleText(QString::fromStdString(GetString(ServerDataExchange::kTitleMessage)));
    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    m_status = new QLabel(Content());
    m_status->setTextFormat(Qt::PlainText);
    m_countdown = new QLabel(Content());
    m_countdown->setTextFormat(Qt::PlainText);
    m_countdown->setStyleSheet(QStringLiteral("color: %1;").arg(Palette().dimText.name()));
    layout->addWidget(m_status);
    layout->addWidget(m_countdown);
    layout->addStretch(1);
    SetButtonsCentred(true);
    AddButton(QString::fromStdString(GetString(ServerDataExchange::kCancelMessage)), QDialog::Rejected);
}

CLoginDlg::~CLoginDlg() = default;

bool CLoginDlg::OnIdle()
{
    const bool more = CKSDialog::OnIdle();
    if (m_finished)
        return more;
    const ServerDataExchange::State state = m_exchange->Tick();
    m_status->setText(QString::fromStdString(m_exchange->StatusText()));
    m_countdown->setText(QString::fromStdString(m_exchange->CountdownText()));
    if (state == ServerDataExchange::State::Running)
        return more;
    // Either way the list opens; a failed exchange is tried again next time.
    m_finished = true;
    repaint();
    if (m_exchange->ClosingPauseMs() > 0)
        QThread::msleep(static_cast<unsigned long>(m_exchange->ClosingPauseMs()));
    done(QDialog::Accepted);
    return more;
}

bool CLoginDlg::RunIfNeeded(MasterDocument& document, ServiceAddressList& services, QWidget* parent)
{
    if (!ServerDataExchange::ServerDataNeeded())
        return true;
    CLoginDlg dialog(document, services, parent);
    return dialog.DoModal() == QDialog::Accepted;
}

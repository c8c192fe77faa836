#include "browser/dialogs/CRefreshDlg.h"

#include "app/engine/EngineHost.h"
#include "app/text/StringList.h"
#include "browser/list/RefreshEngine.h"
#include "browser/query/BrowserClock.h"
#include "ui/IdleWork.h"

#include <QLabel>
#include <QVBoxLayout>

CRefreshDlg::CRefreshDlg(RefreshEngine& engine, QWidget* parent) : CKSDialog(parent), m_engine(engine)
{
    setFixedSize(kWidth, kHeight);
    SetTitleText(QString::fromStdString(GetString(kMsgTitle)));
    auto* layout = new QVBoxLayout(Content());
    m_status = new QLabel(Content());
    m_elapsed = new QLabel(Content());
    m_pending = new QLabel(Content());
    for (QLabel* line : {m_status, m_elapsed, m_pending}) {
        line->setAlignment(Qt::AlignCenter);
        layout->addWidget(line);
    }
    SetDefaultButton(AddButton(tr("Cancel"), QDialog::Rejected));
    SetButtonsCentred(true);
}

bool CRefreshDlg::OnIdle()
{
    if (!m_engine.Running()) {
        accept();
        return false;
    }
    const bool more = m_engine.RunPass();
    const double now = BrowserClockNow();
    QueryStepState& state = m_engine.State();
    if (state.lastProgressDisplay < 0.0 || now - state.lastProgressDisplay >= kRedrawInterval) {
        state.lastProgressDisplay = now;
        Redraw(now);
    }
    if (!more) {
        accept();
        return false;
    }
    // Only the engine frame runs behind the dialog (a suspended game keeps going) and
    // the engine's status stays current. The registered work does not: it may change
    // the list whose records this refresh steps.
    const bool engineRunning = IdleWork::RunFramePump();
    if (EngineHost& host = TheEngineHost(); host.Loaded() && now - m_lastStatusPoll >= kEngineStatusInterval) {
        m_lastStatusPoll = now;
        host.Status();
    }
    // Waiting for replies and time-outs is no work: the quiet tick comes soon enough.
    return engineRunning || m_engine.WorkDue();
}

void CRefreshDlg::Redraw(double now)
{
    m_status->setText(QString::fromStdString(m_engine.State().statusText));
    m_elapsed->setText(QString::fromStdString(FormatString(kMsgElapsed, now - m_engine.StartTime())));
    const int pending = m_engine.Pending();
    m_pending->setText(pending > 0 ? QString::fromStdString(FormatString(kMsgPending, pending)) : QString());
}

QString CRefreshDlg::StatusLine() const
{
    return m_status->text();
}

QString CRefreshDlg::ElapsedLine() const
{
    return m_elapsed->text();
}

QString CRefreshDlg::PendingLine() const
{
    return m_pending->text();
}

CNetGameDoc::RefreshRunner CRefreshDlg::Runner(QWidget* parent)
{
    return [parent](RefreshEngine& engine) {
        CRefreshDlg dialog(engine, parent);
        dialog.DoModal();
    };
}

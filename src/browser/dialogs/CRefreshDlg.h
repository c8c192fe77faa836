#pragma once
// The small modal dialog shown while a refresh runs: the current status, the elapsed
// time and the pending count, with a cancel button. Its idle processing runs the
// engine's passes and the engine frame, nothing else, and closes the dialog when the
// refresh ends; cancelling leaves the records as they are.
#include "browser/list/CNetGameDoc.h"
#include "ui/CKSDialog.h"

class QLabel;
class RefreshEngine;

class CRefreshDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 200;
    static constexpr int kMsgTitle = 436;
    static constexpr int kMsgElapsed = 518;
    static constexpr int kMsgPending = 552;
    static constexpr double kRedrawInterval = 0.1;
    // A suspended engine's status is read at most this often while the refresh runs.
    static constexpr double kEngineStatusInterval = 0.5;

    CRefreshDlg(RefreshEngine& engine, QWidget* parent = nullptr);

    bool OnIdle() override;
    // The three lines as they are shown.
    QString StatusLine() const;
    QString ElapsedLine() const;
    QString PendingLine() const;

    // A refresh runner for CNetGameDoc::SetRefreshRunner that shows this dialog.
    static CNetGameDoc::RefreshRunner Runner(QWidget* parent = nullptr);

private:
    void Redraw(double now);

    RefreshEngine& m_engine;
    QLabel* m_status = nullptr;
    QLabel* m_elapsed = nullptr;
    QLabel* m_pending = nullptr;
    double m_lastStatusPoll = -1.0;
};

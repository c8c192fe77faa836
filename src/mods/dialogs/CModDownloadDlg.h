#pragma once
// The download window of a custom game: a heading, the status line, the progress
// (redrawn at most ten times a second), the time taken and Stop, which ends the
// download at any moment. Ends with 1 when the game was installed, 2 otherwise.
// CModDownloadDlg fetches an FTP tree, CModHttpDownloadDlg one file from a web site;
// both drive the same ModDownload, which the address decides.
#include "mods/catalogue/CModRecord.h"
#include "ui/CKSDialog.h"

#include <QElapsedTimer>
#include <memory>

class ModDownload;
class QLabel;
class QProgressBar;
class QTimer;
class CODBlendBtn;

class CModDownloadDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 420;
    static constexpr int kHeight = 250;
    static constexpr int kProgressMs = 100;
    static constexpr int kResultInstalled = 1;
    static constexpr int kResultNot = 2;
    static constexpr int kMsgElapsed = 518;

    CModDownloadDlg(const CModRecord& record, const std::string& baseDirectory, QWidget* parent = nullptr);
    ~CModDownloadDlg() override;
    int exec() override;
    // For pictures of the window: shows a state without any transfer.
    void ShowSample(const std::string& status, int percent, double seconds);

protected:
    void OnEscape() override;

private:
    void Stop();
    void UpdateProgress();

    std::unique_ptr<ModDownload> m_download;
    std::string m_game;
    QLabel* m_status = nullptr;
    QLabel* m_progressText = nullptr;
    QProgressBar* m_progress = nullptr;
    QLabel* m_elapsed = nullptr;
    CODBlendBtn* m_stop = nullptr;
    QTimer* m_timer = nullptr;
    QElapsedTimer m_clock;
};

class CModHttpDownloadDlg : public CModDownloadDlg
{
    Q_OBJECT
public:
    using CModDownloadDlg::CModDownloadDlg;
};

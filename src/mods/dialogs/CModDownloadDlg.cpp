#include "mods/dialogs/CModDownloadDlg.h"

#include "app/text/StringList.h"
#include "mods/download/ModDownload.h"
#include "ui/CODBlendBtn.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

CModDownloadDlg::CModDownloadDlg(const CModRecord& record, const std::string& baseDirectory, QWidget* parent)
    : CKSDialog(parent), m_game(record.GetKeyText("game"))
{
    SetTitleText(QString::fromStdString(FormatString(ModDownload::kMsgHeading, m_game.c_str())));
    resize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(Content());
    m_status = new QLabel(Content());
    m_status->setWordWrap(true);
    m_status->setTextFormat(Qt::PlainText);
    m_progressText = new QLabel(Content());
    m_progressText->setTextFormat(Qt::PlainText);
    m_progressText->setWordWrap(true);
    m_progressText->setStyleSheet(QStringLiteral("color: %1;").arg(Palette().dimText.name()));
    m_progress = new QProgressBar(Content());
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->setStyleSheet(QStringLiteral("QProgressBar { background: %1; border: 1px solid %2; height: 10px; }"
                                             "QProgressBar::chunk { background: %3; }")
                                  .arg(Palette().field.name(), Palette().border.name(), Palette().accent.name()));
    m_elapsed = new QLabel(Content());
    layout->addWidget(m_status);
    layout->addWidget(m_progressText);
    layout->addWidget(m_progress);
    layout->addWidget(m_elapsed);
    layout->addStretch(1);
    m_stop = AddButton(QStringLiteral("Stop"));
    connect(m_stop, &QAbstractButton::clicked, this, [this] { Stop(); });

    m_download = std::make_unique<ModDownload>(
        record, baseDirectory,
        ModDownload::Callbacks{[this](const std::string& text) { m_status->setText(QString::fromStdString(text)); },
                               [this](ModDownload::State state) {
                                   UpdateProgress();
                                   if (state == ModDownload::State::Succeeded) {
                                       m_timer->stop();
                                       done(kResultInstalled);
                                       return;
                                   }
                                   // The failure stays readable until the player closes.
                                   m_stop->setText(QStringLiteral("Close"));
                               }});
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, [this] { UpdateProgress(); });
}

CModDownloadDlg::~CModDownloadDlg() = default;

int CModDownloadDlg::exec()
{
    m_clock.start();
    m_timer->start(kProgressMs);
    // The transfer starts once the window is up; it never waits on the network.
    QTimer::singleShot(0, this, [this] { m_download->Start(); });
    return CKSDialog::exec();
}

void CModDownloadDlg::UpdateProgress()
{
    if (!m_download->Active()) {
        m_timer->stop();
        return;
    }
    if (m_download->GetState() == ModDownload::State::Transferring) {
        m_progressText->setText(QString::fromStdString(m_download->ProgressText()));
        m_progress->setValue(m_download->Percent());
    }
    const double seconds = double(m_clock.elapsed()) / 1000.0;
    m_elapsed->setText(seconds > 0 ? QString::fromStdString(FormatString(kMsgElapsed, seconds)) : QString());
}

void CModDownloadDlg::ShowSample(const std::string& status, int percent, double seconds)
{
    m_status->setText(QString::fromStdString(status));
    m_progressText->setText(QString::fromStdString(
        FormatString(ModDownload::kMsgProgress, m_game.c_str(), "ftp.example.org/games/skyline", "maps/sky1.bsp",
                     percent)));
    m_progress->setValue(percent);
    m_elapsed->setText(QString::fromStdString(FormatString(kMsgElapsed, seconds)));
}

void CModDownloadDlg::Stop()
{
    m_download->Stop();
    m_timer->stop();
    done(kResultNot);
}

void CModDownloadDlg::OnEscape()
{
    Stop();
}

#include "ui/QtVideoPlayer.h"

#include "ui/IntroVideos.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QVideoWidget>

QtVideoPlayer::QtVideoPlayer() = default;

QtVideoPlayer::~QtVideoPlayer()
{
    VideoError ignored;
    Close(ignored);
}

bool QtVideoPlayer::Fail(VideoError& error) const
{
    error.number = m_player ? int(m_player->error()) : 0;
    error.text = m_player ? m_player->errorString().toStdString() : std::string();
    return false;
}

bool QtVideoPlayer::Open(const std::string& path, QWidget* window, VideoError& error)
{
    VideoError ignored;
    Close(ignored);
    const QString file = QString::fromStdString(path);
    if (!QFileInfo(file).isFile()) {
        error.number = kFileNotFound;
        error.text = "The file " + path + " could not be found.";
        return false;
    }
    m_window = window;
    m_player = std::make_unique<QMediaPlayer>();
    if (!QMediaDevices::audioOutputs().isEmpty()) {
        m_audio = std::make_unique<QAudioOutput>();
        m_player->setAudioOutput(m_audio.get());
    }
    m_player->setSource(QUrl::fromLocalFile(file));

    // Wait until the file is read far enough to know whether it can play.
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, &loop, [&loop](QMediaPlayer::MediaStatus status) {
        if (status != QMediaPlayer::LoadingMedia)
            loop.quit();
    });
    connect(m_player.get(), &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    if (m_player->mediaStatus() == QMediaPlayer::LoadingMedia) {
        timeout.start(kOpenTimeoutMs);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    const QMediaPlayer::MediaStatus status = m_player->mediaStatus();
    if (m_player->error() != QMediaPlayer::NoError || status == QMediaPlayer::InvalidMedia ||
        status == QMediaPlayer::NoMedia) {
        Fail(error);
        if (error.text.empty())
            error.text = "The file " + path + " cannot be played.";
        return false;
    }
    return true;
}

bool QtVideoPlayer::HasDevice()
{
    return m_player != nullptr;
}

bool QtVideoPlayer::AttachWindow(QWidget* window, VideoError& error)
{
    if (!m_player || !window)
        return Fail(error);
    m_window = window;
    m_video = new QVideoWidget(window);
    m_video->setAspectRatioMode(Qt::KeepAspectRatio);
    m_video->setStyleSheet(QStringLiteral("background: black;"));
    m_player->setVideoOutput(m_video);
    return true;
}

bool QtVideoPlayer::Place(const QRect& area, VideoError& error)
{
    if (!m_video)
        return Fail(error);
    // The frame is centred in a window larger than it.
    const QPoint offset((m_window->width() - kVideoFrameWidth) / 2, (m_window->height() - kVideoFrameHeight) / 2);
    m_video->setGeometry(area.translated(offset.x() > 0 ? offset.x() : 0, offset.y() > 0 ? offset.y() : 0));
    return true;
}

bool QtVideoPlayer::Rewind(VideoError& error)
{
    if (!m_player)
        return Fail(error);
    m_player->setPosition(0);
    return true;
}

bool QtVideoPlayer::SetBreakKey(int key, VideoError& error)
{
    if (!m_player)
        return Fail(error);
    m_breakKey = key;
    return true;
}

bool QtVideoPlayer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == m_breakKey) {
        m_broken = true;
        return true;
    }
    return QObject::eventFilter(watched, event);
}

bool QtVideoPlayer::Play(VideoError& error)
{
    if (!m_player || !m_video)
        return Fail(error);
    m_broken = false;
    m_video->show();
    m_video->raise();
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, &loop, [&loop](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia)
            loop.quit();
    });
    connect(m_player.get(), &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
    // The break key ends the loop from the filter; a short poll notices it.
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [this, &loop] {
        if (m_broken)
            loop.quit();
    });
    QCoreApplication::instance()->installEventFilter(this);
    m_player->play();
    limit.start(kMaxPlayMs);
    poll.start(20);
    loop.exec();
    QCoreApplication::instance()->removeEventFilter(this);
    if (!m_broken && m_player->error() != QMediaPlayer::NoError)
        return Fail(error);
    return true;
}

bool QtVideoPlayer::Stop(VideoError& error)
{
    if (!m_player)
        return Fail(error);
    m_player->stop();
    return true;
}

bool QtVideoPlayer::Close(VideoError&)
{
    if (m_player)
        m_player->stop();
    delete m_video;
    m_video = nullptr;
    m_player.reset();
    m_audio.reset();
    return true;
}

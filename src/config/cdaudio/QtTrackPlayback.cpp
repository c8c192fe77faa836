#include "config/cdaudio/QtTrackPlayback.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

QtTrackPlayback::QtTrackPlayback(std::function<void(CdNotifyResult)> notifier) : m_notifier(std::move(notifier))
{
    m_hasOutput = !QMediaDevices::defaultAudioOutput().isNull();
}

QtTrackPlayback::~QtTrackPlayback()
{
    if (m_player)
        m_player->stop();
}

bool QtTrackPlayback::EnsurePlayer()
{
    if (m_player)
        return true;
    if (!m_hasOutput)
        return false;
    m_player = new QMediaPlayer(this);
    m_output = new QAudioOutput(this);
    m_player->setAudioOutput(m_output);
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia && m_notifier)
            m_notifier(CdNotifyResult::Successful);
    });
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error, const QString&) {
        if (error != QMediaPlayer::NoError && m_notifier)
            m_notifier(CdNotifyResult::Failure);
    });
    return true;
}

void QtTrackPlayback::StartPlay(const QString& path)
{
    if (!EnsurePlayer())
        return;
    const QUrl url = QUrl::fromLocalFile(path);
    if (m_player->source() == url) {
        m_player->setPosition(0);
    } else {
        if (m_player->playbackState() != QMediaPlayer::StoppedState && m_notifier)
            m_notifier(CdNotifyResult::Superseded);
        m_player->setSource(url);
    }
    m_player->play();
}

void QtTrackPlayback::Play(const std::string& path)
{
    const QString file = QString::fromStdString(path);
    QMetaObject::invokeMethod(this, [this, file] { StartPlay(file); }, Qt::QueuedConnection);
}

void QtTrackPlayback::Resume()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_player && m_player->playbackState() == QMediaPlayer::PausedState)
                m_player->play();
        },
        Qt::QueuedConnection);
}

void QtTrackPlayback::Pause()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_player)
                m_player->pause();
        },
        Qt::QueuedConnection);
}

void QtTrackPlayback::Stop()
{
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_player)
                m_player->stop();
        },
        Qt::QueuedConnection);
}

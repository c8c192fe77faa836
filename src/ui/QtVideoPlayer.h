#pragma once
// The video player of the running program: Qt Multimedia in a child widget of the
// window. Never used by tests (the multimedia back end needs real devices).
#include "ui/VideoPlayer.h"

#include <QObject>
#include <memory>

class QAudioOutput;
class QMediaPlayer;
class QVideoWidget;

class QtVideoPlayer : public QObject, public VideoPlayer
{
    Q_OBJECT
public:
    static constexpr int kOpenTimeoutMs = 5000;
    static constexpr int kMaxPlayMs = 10 * 60 * 1000; // no intro runs longer
    static constexpr int kFileNotFound = 275;         // the device's number for a missing file

    QtVideoPlayer();
    ~QtVideoPlayer() override;

    bool Open(const std::string& path, QWidget* window, VideoError& error) override;
    bool HasDevice() override;
    bool AttachWindow(QWidget* window, VideoError& error) override;
    bool Place(const QRect& area, VideoError& error) override;
    bool Rewind(VideoError& error) override;
    bool SetBreakKey(int key, VideoError& error) override;
    bool Play(VideoError& error) override;
    bool Stop(VideoError& error) override;
    bool Close(VideoError& error) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Fail(VideoError& error) const;

    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_audio;
    QVideoWidget* m_video = nullptr;
    QWidget* m_window = nullptr;
    int m_breakKey = 0;
    bool m_broken = false;
};

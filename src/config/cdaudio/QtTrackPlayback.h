#pragma once
// The running program's track playback: one media player on the user-interface thread.
// The CD audio worker's calls are queued to that thread and return at once; the end
// of a track or a failure is reported there through the notifier. Without an audio
// output nothing plays (Qt Multimedia needs one), and the music service's own timing
// still ends and loops the tracks. Never used by tests.
#include "config/cdaudio/CdDevice.h"
#include "config/cdaudio/TrackPlayback.h"

#include <QObject>
#include <QString>

#include <functional>

class QAudioOutput;
class QMediaPlayer;

class QtTrackPlayback : public QObject, public TrackPlayback
{
public:
    // Created on the user-interface thread.
    explicit QtTrackPlayback(std::function<void(CdNotifyResult)> notifier);
    ~QtTrackPlayback() override;

    void Play(const std::string& path) override;
    void Resume() override;
    void Pause() override;
    void Stop() override;

private:
    // On the user-interface thread.
    bool EnsurePlayer();
    void StartPlay(const QString& path);

    std::function<void(CdNotifyResult)> m_notifier;
    bool m_hasOutput = false;
    QMediaPlayer* m_player = nullptr;
    QAudioOutput* m_output = nullptr;
};

#pragma once
// The sound output of the running program: the default audio device through Qt audio
// sinks, one sink per sound, so that sounds overlap instead of cutting each other
// short (SoundVoices decides when a sink may stop). Never used by tests.
#include "ui/SoundOutput.h"
#include "ui/SoundVoices.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <array>
#include <memory>

class QAudioSink;
class QBuffer;

class QtSoundOutput : public QObject, public SoundOutput
{
    Q_OBJECT
public:
    QtSoundOutput();
    ~QtSoundOutput() override;
    bool Play(const std::vector<uint8_t>& file, const WavDescription& wav) override;

private:
    struct Voice
    {
        QAudioSink* sink = nullptr;
        QBuffer* samples = nullptr;
        QTimer stop;
    };

    int64_t Now() const { return m_clock.elapsed(); }
    void OnIdle(int index);
    void Release(int index);

    SoundVoices m_voices;
    std::array<Voice, SoundVoices::kMaxVoices> m_slots;
    QElapsedTimer m_clock;
};

// Installs the audio device output as the current sound output (the running
// program calls this once the application object exists).
void UseSystemSoundOutput();

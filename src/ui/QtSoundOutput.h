#pragma once
// The sound output of the running program: the default audio device through a Qt
// audio sink, one sound at a time. Never used by tests.
#include "ui/SoundOutput.h"

#include <QBuffer>
#include <QByteArray>
#include <QObject>
#include <memory>

class QAudioSink;

class QtSoundOutput : public QObject, public SoundOutput
{
    Q_OBJECT
public:
    QtSoundOutput();
    ~QtSoundOutput() override;
    bool Play(const std::vector<uint8_t>& file, const WavDescription& wav) override;

private:
    std::unique_ptr<QAudioSink> m_sink;
    QByteArray m_samples;
    QBuffer m_buffer;
};

// Installs the audio device output as the current sound output (the running
// program calls this once the application object exists).
void UseSystemSoundOutput();

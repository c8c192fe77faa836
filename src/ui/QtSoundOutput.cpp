#include "ui/QtSoundOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

QtSoundOutput::QtSoundOutput()
{
    m_clock.start();
    for (int i = 0; i < SoundVoices::kMaxVoices; ++i) {
        QTimer& timer = m_slots[size_t(i)].stop;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, this, [this, i] { Release(i); });
    }
}

QtSoundOutput::~QtSoundOutput()
{
    for (int i = 0; i < SoundVoices::kMaxVoices; ++i)
        Release(i);
}

bool QtSoundOutput::Play(const std::vector<uint8_t>& file, const WavDescription& wav)
{
    if (!wav.Playable() || wav.channels <= 0 || wav.sampleRate <= 0)
        return false;
    QAudioFormat format;
    format.setSampleRate(wav.sampleRate);
    format.setChannelCount(wav.channels);
    switch (wav.bytesPerSample) {
    case 1:
        format.setSampleFormat(QAudioFormat::UInt8);
        break;
    case 2:
        format.setSampleFormat(QAudioFormat::Int16);
        break;
    case 4:
        format.setSampleFormat(QAudioFormat::Int32);
        break;
    default:
        return false;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format))
        return false;

    const int64_t bytes = wav.sampleCount * wav.bytesPerSample;
    if (wav.dataOffset < 0 || bytes <= 0 || wav.dataOffset + bytes > int64_t(file.size()))
        return false;
    const int64_t frames = wav.sampleCount / wav.channels;
    const int64_t durationMs = frames * 1000 / wav.sampleRate;
    const int index = m_voices.Start(durationMs, Now());
    if (index < 0)
        return false;

    Voice& voice = m_slots[size_t(index)];
    voice.samples = new QBuffer(this);
    voice.samples->setData(reinterpret_cast<const char*>(file.data() + wav.dataOffset), qsizetype(bytes));
    voice.samples->open(QIODevice::ReadOnly);
    voice.sink = new QAudioSink(device, format, this);
    connect(voice.sink, &QAudioSink::stateChanged, this, [this, index](QAudio::State state) {
        Voice& v = m_slots[size_t(index)];
        if (!v.sink)
            return;
        if (state == QAudio::IdleState)
            OnIdle(index);
        else if (state == QAudio::StoppedState && v.sink->error() != QAudio::NoError)
            v.stop.start(0); // the device failed: free the voice outside this signal
    });
    voice.stop.start(int(m_voices.GiveUpTime(index) - Now()));
    voice.sink->start(voice.samples);
    if (voice.sink->error() != QAudio::NoError) {
        Release(index);
        return false;
    }
    return true;
}

void QtSoundOutput::OnIdle(int index)
{
    Voice& voice = m_slots[size_t(index)];
    const int64_t now = Now();
    const int64_t stopAt = m_voices.StopTimeWhenIdle(index, voice.samples && voice.samples->atEnd(), now);
    if (stopAt >= 0)
        voice.stop.start(int(stopAt - now));
}

void QtSoundOutput::Release(int index)
{
    Voice& voice = m_slots[size_t(index)];
    voice.stop.stop();
    if (voice.sink) {
        voice.sink->disconnect(this);
        voice.sink->stop();
        voice.sink->deleteLater();
        voice.sink = nullptr;
    }
    if (voice.samples) {
        voice.samples->deleteLater(); // after the sink that reads it
        voice.samples = nullptr;
    }
    m_voices.Finish(index);
}

void UseSystemSoundOutput()
{
    static QtSoundOutput* output = new QtSoundOutput; // lives as long as the process
    SetSoundOutput(output);
}

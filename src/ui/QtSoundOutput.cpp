#include "ui/QtSoundOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

QtSoundOutput::QtSoundOutput() = default;

QtSoundOutput::~QtSoundOutput()
{
    if (m_sink)
        m_sink->stop();
}

bool QtSoundOutput::Play(const std::vector<uint8_t>& file, const WavDescription& wav)
{
    if (!wav.Playable())
        return false;
    // One playback slot: a sound still playing makes the new one wait its turn out.
    if (m_sink && m_sink->state() == QAudio::ActiveState)
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
    if (m_sink)
        m_sink->stop();
    m_buffer.close();
    m_samples = QByteArray(reinterpret_cast<const char*>(file.data() + wav.dataOffset), qsizetype(bytes));
    m_buffer.setBuffer(&m_samples);
    m_buffer.open(QIODevice::ReadOnly);
    m_sink = std::make_unique<QAudioSink>(device, format);
    connect(m_sink.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState && m_sink)
            m_sink->stop();
    });
    m_sink->start(&m_buffer);
    return m_sink->error() == QAudio::NoError;
}

void UseSystemSoundOutput()
{
    static QtSoundOutput* output = new QtSoundOutput; // lives as long as the process
    SetSoundOutput(output);
}

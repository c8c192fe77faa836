#pragma once
// The demo's sounds, synthesised: the menu sounds (short blips and chimes) and one
// quiet music track, as 16-bit mono PCM wave files.
#include <QByteArray>
#include <QString>

#include <vector>

struct DemoSound
{
    QString name;   // base name: media/<name>.wav
    QByteArray wav; // the whole file
};

class SoundSynth
{
public:
    static constexpr int kSampleRate = 22050;
    static constexpr int kMusicRate = 11025;

    // The menu sounds, one per base name the menu plays.
    static std::vector<DemoSound> MenuSounds();
    // A slow ambient pad of the given length for media/cdaudio/trackNN.wav, pitched
    // by its track number (2 and up).
    static QByteArray MusicTrack(double seconds, int track = 2);

    // A RIFF/WAVE file around 16-bit mono samples.
    static QByteArray Wave(const std::vector<qint16>& samples, int sampleRate);
};

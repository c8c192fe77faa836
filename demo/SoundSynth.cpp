#include "demo/SoundSynth.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;

void Append16(QByteArray& out, quint16 value)
{
    char raw[2];
    qToLittleEndian(value, raw);
    out.append(raw, 2);
}

void Append32(QByteArray& out, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    out.append(raw, 4);
}

// One tone: frequency glides from f0 to f1, with a quick attack and an exponential
// decay; a little of the octave above gives it body.
struct Tone
{
    double start, length, f0, f1, level, decay;
};

std::vector<qint16> Render(std::initializer_list<Tone> tones, double seconds, int rate)
{
    std::vector<double> mix(size_t(seconds * rate), 0.0);
    for (const Tone& tone : tones) {
        double phase = 0;
        const size_t first = size_t(tone.start * rate);
        const size_t count = size_t(tone.length * rate);
        for (size_t i = 0; i < count && first + i < mix.size(); ++i) {
            const double t = double(i) / rate;
            const double f = tone.f0 + (tone.f1 - tone.f0) * (t / tone.length);
            phase += kTwoPi * f / rate;
            const double attack = std::min(1.0, t / 0.004);
            const double release = std::min(1.0, (tone.length - t) / 0.01);
            const double envelope = attack * release * std::exp(-t * tone.decay);
            mix[first + i] += tone.level * envelope * (std::sin(phase) + 0.25 * std::sin(2 * phase));
        }
    }
    std::vector<qint16> samples(mix.size());
    std::transform(mix.begin(), mix.end(), samples.begin(),
                   [](double v) { return qint16(std::clamp(v, -1.0, 1.0) * 32000); });
    return samples;
}

} // namespace

QByteArray SoundSynth::Wave(const std::vector<qint16>& samples, int sampleRate)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray out("RIFF");
    Append32(out, 36 + dataBytes);
    out += "WAVEfmt ";
    Append32(out, 16);
    Append16(out, 1); // PCM
    Append16(out, 1); // mono
    Append32(out, quint32(sampleRate));
    Append32(out, quint32(sampleRate * 2));
    Append16(out, 2);
    Append16(out, 16);
    out += "data";
    Append32(out, dataBytes);
    for (qint16 sample : samples)
        Append16(out, quint16(sample));
    return out;
}

std::vector<DemoSound> SoundSynth::MenuSounds()
{
    const int r = kSampleRate;
    return {
        {"launch_select1", Wave(Render({{0, 0.09, 1320, 1180, 0.5, 30}}, 0.1, r), r)},
        {"launch_select2", Wave(Render({{0, 0.08, 990, 990, 0.45, 28}, {0.05, 0.12, 1480, 1480, 0.4, 22}}, 0.18, r), r)},
        {"launch_upmenu1", Wave(Render({{0, 0.16, 520, 900, 0.45, 14}}, 0.17, r), r)},
        {"launch_dnmenu1", Wave(Render({{0, 0.16, 900, 520, 0.45, 14}}, 0.17, r), r)},
        {"launch_glow1", Wave(Render({{0, 0.35, 1760, 1760, 0.16, 8}, {0.03, 0.32, 2640, 2640, 0.1, 9}}, 0.36, r), r)},
        {"launch_deny1", Wave(Render({{0, 0.14, 180, 150, 0.5, 10}, {0, 0.14, 187, 157, 0.3, 10}}, 0.15, r), r)},
        {"launch_deny2", Wave(Render({{0, 0.08, 220, 220, 0.5, 12}, {0.1, 0.1, 165, 165, 0.5, 12}}, 0.21, r), r)},
    };
}

QByteArray SoundSynth::MusicTrack(double seconds, int track)
{
    // A minor chord swelling and fading twice, with a high bell on each swell; each
    // track a few semitones above the one before.
    const double k = std::pow(2.0, 3.0 * (track - 2) / 12.0);
    const double half = seconds / 2;
    std::vector<qint16> samples = Render(
        {
            {0, half, 110.0 * k, 110.0 * k, 0.22, 0.4},      {0, half, 130.81 * k, 130.81 * k, 0.18, 0.4},
            {0, half, 164.81 * k, 164.81 * k, 0.16, 0.4},    {0.2, 1.6, 880.0 * k, 880.0 * k, 0.05, 2.0},
            {half, half, 98.0 * k, 98.0 * k, 0.22, 0.4},     {half, half, 123.47 * k, 123.47 * k, 0.18, 0.4},
            {half, half, 146.83 * k, 146.83 * k, 0.16, 0.4}, {half + 0.2, 1.6, 783.99 * k, 783.99 * k, 0.05, 2.0},
        },
        seconds, kMusicRate);
    return Wave(samples, kMusicRate);
}

#include "ui/SoundOutput.h"

bool NullSoundOutput::Play(const std::vector<uint8_t>& file, const WavDescription& wav)
{
    if (m_busy)
        return false;
    m_history.push_back(Played{file.size(), wav});
    return true;
}

namespace {

// The default until the running program installs the audio device: plays nothing and
// keeps nothing.
class DiscardSoundOutput : public SoundOutput
{
public:
    bool Play(const std::vector<uint8_t>&, const WavDescription&) override { return true; }
};

DiscardSoundOutput g_silent;
SoundOutput* g_output = &g_silent;

} // namespace

SoundOutput& CurrentSoundOutput()
{
    return *g_output;
}

void SetSoundOutput(SoundOutput* output)
{
    g_output = output ? output : &g_silent;
}

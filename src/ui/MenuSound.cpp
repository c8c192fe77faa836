#include "ui/MenuSound.h"

#include "app/files/SearchPath.h"
#include "app/text/Messages.h"
#include "ui/SoundOutput.h"

#include <QFile>
#include <array>

namespace {

constexpr std::array<const char*, 7> kBaseNames = {
    "launch_select1", "launch_select2", "launch_upmenu1", "launch_dnmenu1",
    "launch_glow1",   "launch_deny1",   "launch_deny2",
};
// Menu sounds are a fraction of a second; anything far larger is not one.
constexpr qint64 kMaxSoundFile = 16 * 1024 * 1024;

} // namespace

const char* MenuSoundBaseName(int id)
{
    if (id < 0 || size_t(id) >= kBaseNames.size())
        return kBaseNames[kSoundDeny1];
    return kBaseNames[size_t(id)];
}

std::string MenuSoundPath(const std::string& baseName)
{
    return FindLooseFile("media/" + baseName + ".wav");
}

void PlayMenuSound(int id)
{
    PlayNamedSound(MenuSoundBaseName(id));
}

bool PlayNamedSound(const std::string& baseName)
{
    if (baseName.empty()) {
        ShowMessage(kMenuSoundEmptyName);
        return false;
    }
    QFile file(QString::fromStdString(MenuSoundPath(baseName)));
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0 || file.size() > kMaxSoundFile)
        return false;
    const QByteArray bytes = file.readAll();
    std::vector<uint8_t> data(bytes.begin(), bytes.end());
    const WavDescription wav = ParseWav(data.data(), data.size());
    if (!wav.Playable())
        return false;
    return CurrentSoundOutput().Play(data, wav);
}

#include "config/cdaudio/TrackFileCdDevice.h"

#include "config/cdaudio/TrackHeader.h"

#include <QDir>

#include <cmath>

#include <sys/stat.h>

namespace {

// The track number of a name "trackNN.wav" or "trackNN.ogg", or 0.
int TrackNumber(const QString& name)
{
    if (name.size() != 11 || !name.startsWith(QLatin1String("track"), Qt::CaseInsensitive))
        return 0;
    const QString extension = name.mid(7);
    if (extension.compare(QLatin1String(".wav"), Qt::CaseInsensitive) != 0 &&
        extension.compare(QLatin1String(".ogg"), Qt::CaseInsensitive) != 0)
        return 0;
    const QChar tens = name[5];
    const QChar ones = name[6];
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
        return 0;
    return (tens.unicode() - '0') * 10 + (ones.unicode() - '0');
}

bool IsPlainFile(const std::string& path)
{
    struct stat st = {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

TrackFileCdDevice::TrackFileCdDevice(std::vector<std::string> folders, TrackPlayback& playback)
    : m_folders(std::move(folders)), m_playback(playback)
{
}

bool TrackFileCdDevice::Open()
{
    return true;
}

void TrackFileCdDevice::Close()
{
    m_playback.Stop();
}

void TrackFileCdDevice::Scan()
{
    m_tracks.clear();
    for (const std::string& folder : m_folders) {
        const QDir dir(QString::fromStdString(folder));
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
            const int track = TrackNumber(name);
            const std::string path = folder + "/" + name.toStdString();
            if (track >= 1 && !m_tracks.count(track) && IsPlainFile(path))
                m_tracks[track] = path;
        }
    }
}

bool TrackFileCdDevice::Ready()
{
    Scan();
    return !m_tracks.empty();
}

int TrackFileCdDevice::TrackCount()
{
    return m_tracks.empty() ? 0 : m_tracks.rbegin()->first;
}

std::string TrackFileCdDevice::TrackFile(int track) const
{
    const auto it = m_tracks.find(track);
    return it == m_tracks.end() ? std::string() : it->second;
}

CdTrackType TrackFileCdDevice::TrackType(int track)
{
    if (track < 1 || track > TrackCount())
        return CdTrackType::Failed;
    const std::string file = TrackFile(track);
    return !file.empty() && ReadTrackLength(file) ? CdTrackType::Audio : CdTrackType::Data;
}

bool TrackFileCdDevice::TrackLength(int track, int& minutes, int& seconds)
{
    const std::string file = TrackFile(track);
    if (file.empty())
        return false;
    const std::optional<double> length = ReadTrackLength(file);
    if (!length || !(*length >= 0.0) || *length > 99.0 * 60.0 * 60.0)
        return false;
    const int whole = int(std::floor(*length));
    minutes = whole / 60;
    seconds = whole % 60;
    return true;
}

bool TrackFileCdDevice::PlayTrack(int track)
{
    const std::string file = TrackFile(track);
    if (file.empty())
        return false;
    m_playback.Play(file);
    return true;
}

bool TrackFileCdDevice::PlayToNextTrack(int track)
{
    if (TrackFile(track).empty())
        return false;
    m_playback.Resume();
    return true;
}

bool TrackFileCdDevice::Pause()
{
    m_playback.Pause();
    return true;
}

bool TrackFileCdDevice::Stop()
{
    m_playback.Stop();
    return true;
}

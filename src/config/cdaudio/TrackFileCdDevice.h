#pragma once
// The CD audio device over the game's music folder: track NN is the file trackNN.wav
// or trackNN.ogg (NN from 01 to 99, names compared ignoring case) of the first music
// folder that has it. The disc is "ready" when any track exists, its track count is
// the highest NN found, and a number below it without a file is a data track. Lengths
// come from the file headers; the sound goes to a TrackPlayback.
#include "config/cdaudio/CdDevice.h"
#include "config/cdaudio/TrackPlayback.h"

#include <map>
#include <string>
#include <vector>

class TrackFileCdDevice : public CdDevice
{
public:
    static constexpr int kMaxTrack = 99;

    // Folders in search order (the game directory's first).
    TrackFileCdDevice(std::vector<std::string> folders, TrackPlayback& playback);

    bool Open() override;
    bool SetTrackTimeFormat() override { return true; }
    void Close() override;
    bool Ready() override;
    int TrackCount() override;
    CdTrackType TrackType(int track) override;
    bool TrackLength(int track, int& minutes, int& seconds) override;
    bool PlayTrack(int track) override;
    bool PlayToNextTrack(int track) override;
    bool Pause() override;
    bool Stop() override;
    bool OpenDoor() override { return true; }
    bool CloseDoor() override { return true; }

    // The file of a track, or "" (after Ready has looked at the folders).
    std::string TrackFile(int track) const;

private:
    void Scan();

    std::vector<std::string> m_folders;
    TrackPlayback& m_playback;
    std::map<int, std::string> m_tracks;
};

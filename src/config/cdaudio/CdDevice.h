#pragma once
// The CD audio device as the music service uses it. Only the CD audio worker thread
// calls these operations. Tracks are numbered from 1; lengths are whole minutes and
// seconds. How a play ends is told separately, through CdAudio::Notify.
enum class CdTrackType
{
    Audio,
    Data,
    Failed, // the device could not tell
};

// What the device reports when a play with notification ends.
enum class CdNotifyResult : int
{
    Successful = 1, // the play reached its end
    Superseded = 2, // another play replaced it
    Aborted = 4,    // it was stopped
    Failure = 8,    // the device failed
};

class CdDevice
{
public:
    virtual ~CdDevice() = default;

    // Opens the device for shared use.
    virtual bool Open() = 0;
    // Positions are counted in tracks, minutes, seconds and frames.
    virtual bool SetTrackTimeFormat() = 0;
    virtual void Close() = 0;

    // A disc is in and ready.
    virtual bool Ready() = 0;
    // The number of tracks on the disc; negative on failure.
    virtual int TrackCount() = 0;
    virtual CdTrackType TrackType(int track) = 0;
    virtual bool TrackLength(int track, int& minutes, int& seconds) = 0;

    // Plays the track from its start to its end, with notification.
    virtual bool PlayTrack(int track) = 0;
    // Plays from the paused position to the start of the next track, with notification.
    virtual bool PlayToNextTrack(int track) = 0;
    virtual bool Pause() = 0;
    virtual bool Stop() = 0;
    virtual bool OpenDoor() = 0;
    virtual bool CloseDoor() = 0;
};

#pragma once
// Where the track-file device sends its sound: the running program plays the files
// through Qt Multimedia on the user-interface thread. The device calls these from the
// CD audio worker, so an implementation only hands the work over and returns.
#include <string>

class TrackPlayback
{
public:
    virtual ~TrackPlayback() = default;
    // Plays the file from its start.
    virtual void Play(const std::string& path) = 0;
    // Continues a paused play.
    virtual void Resume() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
};

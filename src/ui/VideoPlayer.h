#pragma once
// Plays a video file in an area of a window, step by step as the launcher drives a
// media device: open, attach to the window, place, rewind, set the key that ends
// playback, play (until the end or that key), stop, close. Each step reports a
// device error (a number and a text) when it fails.
#include <QRect>
#include <string>
#include <vector>

class QWidget;

struct VideoError
{
    int number = 0;
    std::string text; // empty when the device has no text for the error
};

class VideoPlayer
{
public:
    virtual ~VideoPlayer() = default;
    virtual bool Open(const std::string& path, QWidget* window, VideoError& error) = 0;
    // Whether the opened file has a device to play it.
    virtual bool HasDevice() = 0;
    virtual bool AttachWindow(QWidget* window, VideoError& error) = 0;
    virtual bool Place(const QRect& area, VideoError& error) = 0;
    virtual bool Rewind(VideoError& error) = 0;
    // The key (a Qt key code) that ends playback.
    virtual bool SetBreakKey(int key, VideoError& error) = 0;
    // Returns when the video has ended or the break key was pressed.
    virtual bool Play(VideoError& error) = 0;
    virtual bool Stop(VideoError& error) = 0;
    virtual bool Close(VideoError& error) = 0;
};

// Succeeds at every step and shows nothing; remembers the files it was asked to play.
class NullVideoPlayer : public VideoPlayer
{
public:
    bool Open(const std::string& path, QWidget*, VideoError&) override;
    bool HasDevice() override { return true; }
    bool AttachWindow(QWidget*, VideoError&) override { return true; }
    bool Place(const QRect&, VideoError&) override { return true; }
    bool Rewind(VideoError&) override { return true; }
    bool SetBreakKey(int, VideoError&) override { return true; }
    bool Play(VideoError&) override { return true; }
    bool Stop(VideoError&) override { return true; }
    bool Close(VideoError&) override { return true; }

    const std::vector<std::string>& Opened() const { return m_opened; }

private:
    std::vector<std::string> m_opened;
};

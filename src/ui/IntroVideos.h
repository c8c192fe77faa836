#pragma once
// The intro before the main menu: the publisher's video once per process, then the
// game's video, then the menu, with the input made during the videos thrown away.
#include "ui/VideoPlayer.h"

#include <functional>
#include <string>

class QWidget;

inline constexpr int kVideoFrameWidth = 640;
inline constexpr int kVideoFrameHeight = 480;
inline constexpr const char* kPublisherVideo = "zorvan";
inline constexpr const char* kGameVideo = "harrow";
inline constexpr int kIntroSettleMs = 50;

// Message numbers of the video steps.
enum VideoMessage : int
{
    kVideoOpenFailed = 60,
    kVideoNoDevice = 61,
    kVideoWindowFailed = 62,
    kVideoPlaceFailed = 63,
    kVideoSeekFailed = 64,
    kVideoBreakFailed = 65,
    kVideoPlayFailed = 66,
    kVideoStopFailed = 67,
    kVideoCloseFailed = 68,
    kDisplayFailed = 136,
};

// The path "media/<baseName>.avi" among the loose files of the game directories,
// else in the base directory.
std::string VideoPath(const std::string& baseName);
// "%i: %s" with the error's number and text, or "Unknown" without a text.
std::string VideoErrorText(const VideoError& error);

// Plays one video centred in the 640 x 480 frame of the window. Failures show their
// message; a failed break-key or stop step is shown and playback goes on. Returns
// whether the video was played to its end (or broken off by the player).
bool PlayVideo(VideoPlayer& player, QWidget* window, const std::string& baseName, int width = kVideoFrameWidth,
               int height = kVideoFrameHeight);

// What the intro needs from the launcher around it.
class IntroHost
{
public:
    virtual ~IntroHost() = default;
    virtual bool Windowed() = 0;
    virtual void ReleaseDisplay() = 0;
    // False when the display cannot be set up.
    virtual bool InitialiseDisplay() = 0;
    virtual void SetLauncherMode() = 0;
    // The window the videos play in.
    virtual QWidget* VideoWindow() = 0;
    virtual void PaintBlack() = 0;
    virtual void ShowMainMenu() = 0;
    virtual void Wait(int milliseconds) = 0;
    // Throws away pending mouse and keyboard input.
    virtual void FlushInput() = 0;
    virtual void CloseVideoWindow() = 0;
};

// The intro's state: the publisher video plays on the first run of the process only,
// and a window runs the sequence once.
struct IntroState
{
    bool firstRun = true;
    bool done = false;
};

// The state of the running process.
IntroState& ProcessIntroState();

void PlayIntroVideos(IntroHost& host, VideoPlayer& player, IntroState& state = ProcessIntroState());

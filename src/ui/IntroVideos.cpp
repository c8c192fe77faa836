#include "ui/IntroVideos.h"

#include "app/files/SearchPath.h"
#include "app/text/Messages.h"

std::string VideoPath(const std::string& baseName)
{
    return FindLooseFile("media/" + baseName + ".avi");
}

std::string VideoErrorText(const VideoError& error)
{
    if (error.text.empty())
        return "Unknown";
    return std::to_string(error.number) + ": " + error.text;
}

namespace {

void Report(int message, const VideoError& error)
{
    ShowFormattedMessage(message, VideoErrorText(error).c_str());
}

} // namespace

bool PlayVideo(VideoPlayer& player, QWidget* window, const std::string& baseName, int width, int height)
{
    const std::string path = VideoPath(baseName);
    const QRect area((kVideoFrameWidth - width) / 2, (kVideoFrameHeight - height) / 2, width, height);
    VideoError error;
    if (!player.Open(path, window, error)) {
        Report(kVideoOpenFailed, error);
        return false;
    }
    if (!player.HasDevice()) {
        ShowMessage(kVideoNoDevice);
        return false;
    }
    // From here on a failed step ends playback, and the device is closed after it.
    const auto fail = [&](int message) {
        Report(message, error);
        VideoError closing;
        player.Close(closing);
        return false;
    };
    if (!player.AttachWindow(window, error))
        return fail(kVideoWindowFailed);
    if (!player.Place(area, error))
        return fail(kVideoPlaceFailed);
    if (!player.Rewind(error))
        return fail(kVideoSeekFailed);
    if (!player.SetBreakKey(Qt::Key_Escape, error)) {
        Report(kVideoBreakFailed, error);
        error = {};
    }
    if (!player.Play(error))
        return fail(kVideoPlayFailed);
    if (!player.Stop(error)) {
        Report(kVideoStopFailed, error);
        error = {};
    }
    if (!player.Close(error)) {
        Report(kVideoCloseFailed, error);
        return false;
    }
    return true;
}

IntroState& ProcessIntroState()
{
    static IntroState state;
    return state;
}

void PlayIntroVideos(IntroHost& host, VideoPlayer& player, IntroState& state)
{
    if (state.done)
        return;
    state.done = true;

    if (host.Windowed()) {
        host.ReleaseDisplay();
    } else {
        if (!host.InitialiseDisplay()) {
            ShowMessage(kDisplayFailed);
            host.CloseVideoWindow();
            return;
        }
        host.SetLauncherMode();
    }

    if (state.firstRun) {
        PlayVideo(player, host.VideoWindow(), kPublisherVideo);
        state.firstRun = false;
    }
    host.PaintBlack();
    PlayVideo(player, host.VideoWindow(), kGameVideo);

    host.ShowMainMenu();
    host.Wait(kIntroSettleMs);
    host.FlushInput();
    host.CloseVideoWindow();
}

#pragma once
// The black launcher-sized window the intro videos play in, and the intro's hooks
// into the running launcher (the registered IntroDisplay, the main menu). Start-up
// runs RunIntro() before it shows the main menu.
#include "ui/IntroVideos.h"

#include <QWidget>
#include <functional>

class IntroWindow : public QWidget, public IntroHost
{
    Q_OBJECT
public:
    // showMenu shows and activates the main menu window.
    explicit IntroWindow(std::function<void()> showMenu);

    bool Windowed() override;
    void ReleaseDisplay() override;
    bool InitialiseDisplay() override;
    void SetLauncherMode() override;
    QWidget* VideoWindow() override { return this; }
    void PaintBlack() override;
    void ShowMainMenu() override;
    void Wait(int milliseconds) override;
    void FlushInput() override;
    void CloseVideoWindow() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> m_showMenu;
};

// Whether videos can be shown on the platform: not on the offscreen or minimal
// platforms, which have no screen (and no media devices) to play them on.
bool CanPlayIntroOn(const QString& platformName);
// The same for the running application's platform.
bool CanPlayIntro();

// Opens the intro window at the launcher size, plays the intro with the player and
// closes it again; showMenu is called once the videos are over.
void RunIntro(VideoPlayer& player, std::function<void()> showMenu);

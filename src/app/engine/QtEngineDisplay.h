#pragma once
// The launcher's engine display on the desktop: an engine window of its own beside
// the menu window. Without a mode switch on Linux, "full screen" covers the screen
// with the window and "windowed" uses the mode's size.
#include "app/engine/EngineDisplay.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class EngineHost;
class EngineWindow;

class QtEngineDisplay : public EngineDisplay
{
public:
    QtEngineDisplay();
    ~QtEngineDisplay() override;

    // The host whose engine receives the window's events; set once.
    void SetHost(EngineHost* host) { m_host = host; }
    // The main menu window that the engine window replaces while the engine runs.
    void SetMenuWindow(QWidget* menu) { m_menu = menu; }
    void SetWindowed(bool windowed) { m_windowed = windowed; }
    // The engine window size while windowed.
    void SetModeSize(int width, int height);
    // Creates the engine window (when the menu opens); destroyed on quit.
    void CreateEngineWindow();
    void DestroyEngineWindow();
    EngineWindow* Window() const { return m_window.get(); }

    bool Windowed() override { return m_windowed; }
    bool SetUpEngineWindow() override;
    void* EngineWindowHandle() override;
    bool EngineWindowVisible() override;
    void HideEngineWindow() override;
    void GiveEngineScreen() override;
    void TakeScreenBack() override;
    bool LauncherActive() override;
    void MinimiseLauncher() override;
    void RecreateEngineWindow() override;

private:
    EngineHost* m_host = nullptr;
    QPointer<QWidget> m_menu;
    std::unique_ptr<EngineWindow> m_window;
    bool m_windowed = true;
    int m_modeWidth = 640;
    int m_modeHeight = 480;
};

// The display of the launcher's engine host (TheEngineHost).
QtEngineDisplay& TheEngineDisplay();

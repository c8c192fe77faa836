#pragma once
// What the engine host needs from the video modes and the windows: the renderer and
// mode choice, the engine window, and handing the screen between the launcher's menu
// and the engine. The video module and the main menu fill it; tests replace it.
#include "app/video/EngineRenderer.h"

class EngineDisplay
{
public:
    virtual ~EngineDisplay() = default;

    // Video mode choice.
    virtual int Renderer() { return EngineRendererType(); }
    // True when the mode, renderer or windowed choice differs from the one the loaded
    // engine was started with, or a restart was forced.
    virtual bool RestartRequired() { return false; }
    // The engine started with the current choice.
    virtual void NoteEngineStarted() {}
    virtual bool Windowed() { return true; }
    virtual bool MouseCaptured() { return false; }
    // Takes or releases the display for the renderer before an engine starts.
    virtual void PrepareDisplay(int renderer) {}
    // Re-creates the engine window for the windowed choice (after a hardware engine
    // restored the display).
    virtual void RecreateEngineWindow() {}

    // Sizes and places the engine window for the chosen mode; false when there is no
    // usable window.
    virtual bool SetUpEngineWindow() = 0;
    // The window handle handed to the engine (a QWidget*), or nullptr.
    virtual void* EngineWindowHandle() = 0;
    virtual bool EngineWindowVisible() = 0;
    virtual void HideEngineWindow() = 0;
    // Shows the engine window with focus and hides the menu.
    virtual void GiveEngineScreen() = 0;
    // Shows the menu, hides the engine window, releases the mouse.
    virtual void TakeScreenBack() = 0;
    // The launcher is the active application.
    virtual bool LauncherActive() { return true; }
    // The map editor asked for the screen: the launcher steps aside.
    virtual void MinimiseLauncher() {}
};

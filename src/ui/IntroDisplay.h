#pragma once
// What the intro window needs of the launcher's display: whether the launcher runs in
// a window, and the display steps around the videos. The launcher registers its own
// at start-up; without one the intro plays windowed and leaves the display alone.
class IntroDisplay
{
public:
    virtual ~IntroDisplay() = default;
    virtual bool Windowed() = 0;
    virtual void Release() = 0;
    // False when the display cannot be set up.
    virtual bool Initialise() = 0;
    // Back to the launcher's own display mode.
    virtual void SetLauncherMode() = 0;
};

// The registered display, or nullptr.
IntroDisplay* TheIntroDisplay();
// Registers the display (nullptr: none); it must outlive its registration.
void SetIntroDisplay(IntroDisplay* display);

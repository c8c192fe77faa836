#pragma once
// The launcher's display as the intro window sees it: the windowed setting of the
// video settings and the display layer's acquire, release and launcher mode.
#include "ui/IntroDisplay.h"

class LauncherIntroDisplay : public IntroDisplay
{
public:
    bool Windowed() override;
    void Release() override;
    bool Initialise() override;
    void SetLauncherMode() override;
};

// Registers the launcher's display with the intro (start-up).
void InstallIntroDisplay();

#pragma once
// "splash": the main menu's 640 × 480 backdrop. A kestrel stoops out of an amber dusk
// over dark ridges; the left side stays calm for the menu buttons, the top right
// corner for the window buttons and the bottom right for the version text.
#include <QImage>

class SplashPainter
{
public:
    static constexpr int kWidth = 640;
    static constexpr int kHeight = 480;

    static QImage Paint();
};

#pragma once
// The demo's two intro videos, painted frame by frame: the publisher's card
// ("zorvan") and the game's opening ("harrow"), each a couple of seconds long.
#include <QImage>
#include <vector>

class IntroVideoPainter
{
public:
    static constexpr int kWidth = 320; // played scaled to the 640 x 480 frame
    static constexpr int kHeight = 240;
    static constexpr int kFramesPerSecond = 12;
    static constexpr int kFrames = 30;

    static std::vector<QImage> Publisher();
    static std::vector<QImage> Game();
};

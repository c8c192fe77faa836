#pragma once
// "logo.avi": the main menu's logo strip, 640 × 100 pixels cut from the splash at
// 70 to 170 pixels from the top (so it sits on the backdrop without a seam), with a
// kestrel that glides in from the right, hovers beside the title and glides away,
// and a glint running along the amber rule under the title. One pass is one loop.
#include <QImage>
#include <vector>

class LogoAnimationPainter
{
public:
    static constexpr int kWidth = 640;
    static constexpr int kTop = 70;
    static constexpr int kHeight = 100;
    static constexpr int kFramesPerSecond = 12;
    static constexpr int kFrames = 96; // eight seconds
    static constexpr int kJpegQuality = 94;

    static std::vector<QImage> Frames();
    // One frame (0 to kFrames − 1) over the given backdrop strip.
    static QImage Frame(const QImage& backdrop, int frame);
};

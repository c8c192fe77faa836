#pragma once
// The application icon: the kestrel of the demo skin gliding over a dark rounded tile
// with an amber sky glow. Small sizes get a plainer bird in one colour, so the shape
// still reads at 16 pixels.
#include <QImage>

class AppIconPainter
{
public:
    // The sizes the hicolor theme gets, in pixels.
    static constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
    // Below this size the bird is drawn flat.
    static constexpr int kDetailedFrom = 48;

    static QImage Paint(int size);
};

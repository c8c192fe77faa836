#include "app/video/ScreenSizeRect.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinSize = 30;
constexpr double kHalfBarSize = 110;
constexpr double kNoBarSize = 120;
constexpr double kFullBar = 0.24;
constexpr double kHalfBar = 0.12;
constexpr double kMinWidth = 96;

} // namespace

ScreenRect ScreenSizeRect(double size, int areaWidth, int areaHeight)
{
    if (areaWidth <= 0 || areaHeight <= 0)
        return {};
    if (std::isnan(size) || size < kMinSize)
        size = kMinSize;
    if (size > kNoBarSize)
        size = kNoBarSize;

    double bar = 0;
    if (size < kHalfBarSize)
        bar = kFullBar * areaHeight;
    else if (size < kNoBarSize)
        bar = kHalfBar * areaHeight;

    const double fraction = std::min(size, 100.0) / 100.0;
    double width = fraction * areaWidth;
    double heightFraction = fraction;
    if (width <= kMinWidth - 1) {
        width = kMinWidth;
        heightFraction = kMinWidth / areaWidth;
    }
    // An area narrower than the smallest picture holds what fits.
    width = std::min(width, double(areaWidth));
    const int w = int(width) & ~7;

    const double height = std::min(heightFraction * areaHeight, areaHeight - bar);
    const int h = int(height) & ~1;

    ScreenRect rect;
    rect.width = w;
    rect.height = h;
    rect.x = (areaWidth - w) / 2;
    rect.y = int((areaHeight - bar - h) / 2);
    return rect;
}

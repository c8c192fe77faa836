#include "app/video/GammaTable.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDarkThreshold = 0.125;  // brightness 0 or less
constexpr double kBrightThreshold = 0.05; // brightness above 1
constexpr double kThresholdSlope = 0.075;
constexpr double kFloor = 0.125;

} // namespace

std::array<uint8_t, 256> GammaTable(double gamma, double brightness)
{
    // A value that is not a number would make every entry undefined; treat it as the default.
    if (std::isnan(gamma))
        gamma = kMinGamma;
    if (std::isnan(brightness))
        brightness = 0.0;
    const double g = std::clamp(gamma, kMinGamma, kMaxGamma);
    const double c = brightness;
    double t = kDarkThreshold - kThresholdSlope * c * c;
    if (c <= 0.0)
        t = kDarkThreshold;
    else if (c > 1.0)
        t = kBrightThreshold;

    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        double e = std::pow(i / 255.0, 2.5 / g);
        if (c > 1.0)
            e *= c;
        double v;
        if (e > t)
            v = ((e - t) / (1.0 - t) * (1.0 - kFloor) + kFloor) * 255.0;
        else
            v = (e / t * kFloor) * 255.0;
        v = std::clamp(std::trunc(v), 0.0, 255.0);
        table[size_t(i)] = uint8_t(v);
    }
    return table;
}

#pragma once
// The 256-entry table the video options preview draws through.
#include <array>
#include <cstdint>

inline constexpr double kMinGamma = 1.0;
inline constexpr double kMaxGamma = 3.0;

// gamma is clamped to 1..3; brightness above 1 also scales the curve.
std::array<uint8_t, 256> GammaTable(double gamma, double brightness);

#pragma once
// Number conversions for texts that come from files and datagrams. They follow the
// C library's atoi/atof reading rules but never overflow: out-of-range values
// saturate.
#include <cstdint>
#include <string_view>

// Leading blanks, optional sign, digits up to the first non-digit; 0 without digits.
int32_t TextToInt(std::string_view text);
double TextToDouble(std::string_view text);
// A real truncated toward zero, saturated to the 32-bit range; NaN gives 0.
int32_t TruncateToInt(double value);
// A real narrowed to float, saturated to the float range; NaN stays NaN.
float NarrowToFloat(double value);

#pragma once
// Numbers as text in files, command lines, console commands and datagrams: always a
// '.' as the decimal point and no digit grouping, whatever locale the C library was
// given (the application object takes the user's). Readers follow atoi/atof's rules
// (leading blanks, an optional sign, as much of a number as the text holds, 0 when it
// holds none) but never overflow: out-of-range values saturate.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// printf "%.<decimals>f": FormatFixed(0.125, 6) is "0.125000".
std::string FormatFixed(double value, int decimals);
// printf "%0<width>lld": FormatInt(7, 2) is "07", FormatInt(-5, 3) is "-05".
std::string FormatInt(int64_t value, int width = 1);

// atoi: saturates at the 32-bit limits.
int32_t ParseInt(std::string_view text);
// atoll: saturates at the 64-bit limits.
int64_t ParseInt64(std::string_view text);
// atof: decimal with an optional exponent, hexadecimal after "0x", "inf" and "nan";
// too large a magnitude gives an infinity, too small a zero. used, when given,
// receives the number of characters read (0 when the text holds no number).
double ParseDouble(std::string_view text, size_t* used = nullptr);
// The number when the text holds one and nothing else but blanks around it (read as
// ParseDouble reads it); none for "5,5", "90 fov", "" and the like.
std::optional<double> ParseWholeDouble(std::string_view text);

// A real truncated toward zero, saturated to the 32-bit range; NaN gives 0.
int32_t TruncateToInt(double value);
// A real narrowed to float, saturated to the float range (infinities); NaN stays NaN.
float NarrowToFloat(double value);

#pragma once
// The printf conversions of a text, reduced to the kinds of argument they read, so a
// text from a replaceable list file can be checked against the values its caller
// passes before it is used as a format.
#include <optional>
#include <string>
#include <string_view>

// One letter per argument read, in order: 'i' int (also char and '*' widths),
// 'l' long, 'L' long long / size_t / intmax_t, 'f' double, 'F' long double,
// 's' narrow string, 'p' pointer. No value for a text that no caller could
// format safely (%n, wide strings, unknown or unfinished conversions).
std::optional<std::string> ConversionSignature(std::string_view format);

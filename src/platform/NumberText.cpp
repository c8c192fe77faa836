#include "platform/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(char c, bool hex)
{
    if (c >= '0' && c <= '9')
        return true;
    const char lower = char(c | 0x20);
    return hex && lower >= 'a' && lower <= 'f';
}

// The text after leading blanks and an optional sign.
std::string_view AfterSign(std::string_view text, bool& negative)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    return text.substr(i);
}

// The length of the hexadecimal number at the start of the text (after "0x"): digits
// with one point, then an exponent only when a digit follows "p" and one sign. The
// library's from_chars also takes "p+-5", which strtod stops before.
size_t HexNumberLength(std::string_view text)
{
    size_t i = 0;
    bool point = false;
    while (i < text.size() && (IsDigit(text[i], true) || (text[i] == '.' && !point))) {
        point = point || text[i] == '.';
        ++i;
    }
    if (i >= text.size() || char(text[i] | 0x20) != 'p')
        return i;
    size_t exponent = i + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
        ++exponent;
    if (exponent >= text.size() || !IsDigit(text[exponent], false))
        return i;
    while (exponent < text.size() && IsDigit(text[exponent], false))
        ++exponent;
    return exponent;
}

// A magnitude beyond 64 bits reads as the largest one.
uint64_t Magnitude(std::string_view digits)
{
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range)
        return std::numeric_limits<uint64_t>::max();
    return error == std::errc() ? value : 0;
}

// For a number too large or too small for a double: whether it is too large. The
// position of its first significant digit plus its exponent tells (in decimal orders
// for a decimal number, in bits for a hexadecimal one).
bool BeyondTheLargest(std::string_view text, bool hex)
{
    const int digitWeight = hex ? 4 : 1;
    const char exponentMark = hex ? 'p' : 'e';
    size_t i = 0;
    int64_t order = 0;
    bool significant = false;
    for (; i < text.size() && IsDigit(text[i], hex); ++i) {
        significant = significant || text[i] != '0';
        if (significant)
            order += digitWeight;
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && IsDigit(text[i], hex); ++i) {
            if (significant)
                continue;
            if (text[i] != '0')
                significant = true;
            else
                order -= digitWeight;
        }
    }
    if (i < text.size() && char(text[i] | 0x20) == exponentMark) {
        bool negative = false;
        const std::string_view rest = AfterSign(text.substr(i + 1), negative);
        const uint64_t magnitude = std::min<uint64_t>(Magnitude(rest), uint64_t(1) << 40);
        order += negative ? -int64_t(magnitude) : int64_t(magnitude);
    }
    return order > 0;
}

} // namespace

std::string FormatFixed(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, 64);
    // The largest double has 309 digits before the point.
    char digits[400];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, decimals);
    if (error != std::errc())
        return {};
    return std::string(digits, end);
}

std::string FormatInt(int64_t value, int width)
{
    char digits[24];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
    (void)error; // 24 characters hold every 64-bit number
    std::string text(digits, end);
    // As printf's width, the sign counts; the zeros go after it.
    const size_t wanted = size_t(std::clamp(width, 1, 64));
    if (text.size() < wanted)
        text.insert(value < 0 ? 1 : 0, wanted - text.size(), '0');
    return text;
}

int64_t ParseInt64(std::string_view text)
{
    bool negative = false;
    std::string_view rest = AfterSign(text, negative);
    // from_chars would take a second sign; atoll does not.
    if (rest.empty() || !IsDigit(rest.front(), false))
        return 0;
    const uint64_t magnitude = Magnitude(rest);
    constexpr uint64_t kLargest = uint64_t(std::numeric_limits<int64_t>::max());
    if (negative)
        return magnitude > kLargest ? std::numeric_limits<int64_t>::min() : -int64_t(magnitude);
    return magnitude > kLargest ? std::numeric_limits<int64_t>::max() : int64_t(magnitude);
}

int32_t ParseInt(std::string_view text)
{
    const int64_t value = ParseInt64(text);
    return int32_t(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

double ParseDouble(std::string_view text, size_t* used)
{
    if (used)
        *used = 0;
    bool negative = false;
    std::string_view rest = AfterSign(text, negative);
    if (rest.empty() || rest.front() == '+' || rest.front() == '-')
        return 0.0;
    // Negation rather than a multiplication: it turns the sign of a NaN as well.
    const auto withSign = [negative](double magnitude) { return negative ? -magnitude : magnitude; };
    bool hex = false;
    if (rest.size() >= 2 && rest[0] == '0' && char(rest[1] | 0x20) == 'x') {
        // "0x" followed by no hexadecimal digits reads as the 0 before the x.
        if (rest.size() < 3 || !(IsDigit(rest[2], true) || rest[2] == '.')) {
            if (used)
                *used = size_t(rest.data() + 1 - text.data());
            return withSign(0.0);
        }
        rest.remove_prefix(2);
        hex = true;
    }
    double value = 0.0;
    const size_t length = hex ? HexNumberLength(rest) : rest.size();
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + length, value,
                                              hex ? std::chars_format::hex : std::chars_format::general);
    if (error == std::errc::invalid_argument) {
        // After "0x", still the 0 before the x.
        if (hex && used)
            *used = size_t(rest.data() - 1 - text.data());
        return hex ? withSign(0.0) : 0.0;
    }
    if (error == std::errc::result_out_of_range)
        value = BeyondTheLargest(rest.substr(0, length), hex) ? std::numeric_limits<double>::infinity() : 0.0;
    if (used)
        *used = size_t(end - text.data());
    return withSign(value);
}

std::optional<double> ParseWholeDouble(std::string_view text)
{
    size_t used = 0;
    const double value = ParseDouble(text, &used);
    if (used == 0 || !std::all_of(text.begin() + ptrdiff_t(used), text.end(), IsBlank))
        return std::nullopt;
    return value;
}

int32_t TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return int32_t(value);
}

float NarrowToFloat(double value)
{
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value > kMax)
        return std::numeric_limits<float>::infinity();
    if (value < -kMax)
        return -std::numeric_limits<float>::infinity();
    return float(value);
}

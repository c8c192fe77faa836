// Number texts from files, command lines and datagrams: the locale-free readers give
// what the C library gives under the C locale (this harness never leaves it), and the
// writers what printf gives.
#include "platform/NumberText.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    size_t used = 0;
    const double value = ParseDouble(text, &used);
    char* end = nullptr;
    const double expected = std::strtod(text.c_str(), &end);
    if (used != size_t(end - text.c_str()))
        __builtin_trap();
    if (std::isnan(expected) ? !std::isnan(value) : std::memcmp(&value, &expected, sizeof value) != 0)
        __builtin_trap();

    // A whole number: the same reading, with nothing but blanks after it.
    bool blanksAfter = true;
    for (size_t i = used; i < size; ++i)
        blanksAfter = blanksAfter && std::isspace(static_cast<unsigned char>(text[i]));
    const std::optional<double> whole = ParseWholeDouble(text);
    if (whole.has_value() != (used > 0 && blanksAfter))
        __builtin_trap();
    if (whole && std::memcmp(&*whole, &value, sizeof value) != 0)
        __builtin_trap();

    errno = 0;
    const long long integer = std::strtoll(text.c_str(), nullptr, 10);
    if (ParseInt64(text) != integer)
        __builtin_trap();

    if (size >= 9) {
        double real;
        std::memcpy(&real, data, sizeof real);
        const int decimals = data[8] % 24;
        char printed[400];
        std::snprintf(printed, sizeof printed, "%.*f", decimals, real);
        if (FormatFixed(real, decimals) != printed)
            __builtin_trap();
        long long whole;
        std::memcpy(&whole, data, sizeof whole);
        const int width = data[8] % 24;
        std::snprintf(printed, sizeof printed, "%0*lld", width, whole);
        if (FormatInt(whole, width) != printed)
            __builtin_trap();
    }
    return 0;
}

#include "app/text/FormatConversions.h"

#include <cstring>

std::optional<std::string> ConversionSignature(std::string_view format)
{
    std::string kinds;
    size_t i = 0;
    const auto at = [&](size_t k) { return k < format.size() ? format[k] : '\0'; };
    while (i < format.size()) {
        if (format[i++] != '%')
            continue;
        if (at(i) == '%') {
            ++i;
            continue;
        }
        while (at(i) && std::strchr("-+ #0'", at(i)))
            ++i;
        if (at(i) == '*') {
            kinds += 'i';
            ++i;
        }
        while (at(i) >= '0' && at(i) <= '9')
            ++i;
        if (at(i) == '.') {
            ++i;
            if (at(i) == '*') {
                kinds += 'i';
                ++i;
            }
            while (at(i) >= '0' && at(i) <= '9')
                ++i;
        }
        // Length modifier.
        int longs = 0;
        bool wide = false;
        bool longDouble = false;
        if (at(i) == 'h') {
            ++i;
            if (at(i) == 'h')
                ++i;
        } else if (at(i) == 'l') {
            ++i;
            longs = 1;
            if (at(i) == 'l') {
                ++i;
                longs = 2;
            }
        } else if (at(i) == 'j' || at(i) == 'z' || at(i) == 't') {
            ++i;
            longs = 2;
        } else if (at(i) == 'L') {
            ++i;
            longDouble = true;
            longs = 2;
        }
        const char conversion = at(i++);
        switch (conversion) {
        case 'd':
        case 'i':
        case 'u':
        case 'x':
        case 'X':
        case 'o':
            kinds += longs == 0 ? 'i' : longs == 1 ? 'l' : 'L';
            break;
        case 'c':
            wide = longs != 0;
            kinds += 'i';
            break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
        case 'a':
        case 'A':
            kinds += longDouble ? 'F' : 'f';
            break;
        case 's':
            wide = longs != 0;
            kinds += 's';
            break;
        case 'p':
            kinds += 'p';
            break;
        default:
            return std::nullopt; // %n, unknown letters, a text that ends inside a conversion
        }
        if (wide)
            return std::nullopt;
    }
    return kinds;
}

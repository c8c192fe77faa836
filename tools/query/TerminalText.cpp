#include "query/TerminalText.h"

#include <QList>
#include <QString>

namespace {

// Characters that move the cursor, change the terminal's state or reorder what
// follows them on the line.
bool Unsafe(char32_t c)
{
    return c < 0x20 || (c >= 0x7f && c <= 0x9f) || c == 0x061c || c == 0x200e || c == 0x200f ||
           (c >= 0x202a && c <= 0x202e) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

std::string Printable(const std::string& text, size_t width)
{
    const QList<uint> characters = QString::fromUtf8(text.data(), qsizetype(text.size())).toUcs4();
    QString out;
    size_t count = 0;
    for (const uint c : characters) {
        if (count++ >= width)
            break;
        if (Unsafe(char32_t(c)))
            out += QLatin1Char('?');
        else
            out += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
    }
    return out.toStdString();
}

size_t CharacterCount(const std::string& text)
{
    size_t n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

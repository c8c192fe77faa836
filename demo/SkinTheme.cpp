#include "demo/SkinTheme.h"

#include <QFontDatabase>
#include <QStringList>

namespace SkinTheme {

namespace {

constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";

QFont Make(const QString& family, qreal pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

std::vector<std::pair<QString, QColor>> ColourList()
{
    return {
        {"PROMPT_TEXT_COLOR", kAmber},
        {"PROMPT_TITLE_COLOR", kInk},
        {"PROMPT_BG_COLOR", kDialog},
        {"INPUT_TEXT_COLOR", kAmber},
        {"INPUT_BG_COLOR", kDialog},
        {"REFRESH_TITLE_COLOR", kAmber},
        {"REFRESH_TEXT_COLOR", kInk},
        {"REFRESH_BG_COLOR", kDialog},
        {"HELP_COLOR", kMuted},
    };
}

bool LoadFonts()
{
    static const bool loaded = [] {
        bool any = false;
        for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansCondensed.ttf",
                                 "DejaVuSansCondensed-Bold.ttf"})
            any |= QFontDatabase::addApplicationFont(QString(kFontFolder) + file) >= 0;
        return any;
    }();
    return loaded;
}

QFont Sans(qreal pixelSize, bool bold)
{
    return Make(QStringLiteral("DejaVu Sans"), pixelSize, bold);
}

QFont Condensed(qreal pixelSize, bool bold)
{
    return Make(QStringLiteral("DejaVu Sans Condensed"), pixelSize, bold);
}

} // namespace SkinTheme

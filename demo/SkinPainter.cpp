#include "demo/SkinPainter.h"

#include "demo/ButtonPainter.h"
#include "demo/DialogPainter.h"
#include "demo/IconPainter.h"
#include "demo/PicturePainter.h"
#include "demo/SkinTheme.h"
#include "demo/SplashPainter.h"

std::vector<SkinBitmap> SkinPainter::ShellBitmaps()
{
    SkinTheme::LoadFonts();
    std::vector<SkinBitmap> bitmaps;
    bitmaps.push_back({"splash", SplashPainter::Paint()});
    bitmaps.push_back({"btns_main", ButtonPainter::MainStrip()});
    for (const char state : {'n', 'f', 'd'}) {
        bitmaps.push_back({QStringLiteral("min_%1").arg(state),
                           ButtonPainter::CaptionButton(ButtonPainter::Minimise, state)});
        bitmaps.push_back({QStringLiteral("cls_%1").arg(state),
                           ButtonPainter::CaptionButton(ButtonPainter::Close, state)});
    }
    for (const auto& [name, size] : DialogPainter::Backgrounds())
        bitmaps.push_back({name, DialogPainter::Background(size)});
    for (const auto& [name, title] : DialogPainter::Headers())
        bitmaps.push_back({name, DialogPainter::Header(title)});
    for (const QString& name : IconPainter::Names())
        bitmaps.push_back({name, IconPainter::Paint(name)});
    bitmaps.push_back({"gamma", PicturePainter::Gamma()});
    return bitmaps;
}

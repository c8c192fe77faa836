#include "ui/SkinImages.h"

#include "app/text/SkinBitmap.h"
#include "app/text/SkinBitmapImage.h"

#include <map>
#include <optional>

namespace {

// A name maps to no value while it loads and to a null pixmap once known missing, so a
// report about a missing bitmap that itself needs a bitmap does not loop.
std::map<std::string, QPixmap>& Cache()
{
    static std::map<std::string, QPixmap> cache;
    return cache;
}

} // namespace

QPixmap SkinImages::Get(const std::string& name)
{
    auto& cache = Cache();
    if (auto found = cache.find(name); found != cache.end())
        return found->second;
    cache.emplace(name, QPixmap());
    QPixmap pixmap;
    if (const std::optional<SkinBitmap> bitmap = LoadSkinBitmap(name)) {
        const QImage image = SkinBitmapImage(*bitmap);
        if (!image.isNull())
            pixmap = QPixmap::fromImage(image);
    }
    Cache()[name] = pixmap;
    return pixmap;
}

void SkinImages::Clear()
{
    Cache().clear();
}

void SkinImages::Set(const std::string& name, const QPixmap& pixmap)
{
    Cache()[name] = pixmap;
}

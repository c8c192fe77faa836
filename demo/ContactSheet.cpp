#include "demo/ContactSheet.h"

#include "app/files/PackFile.h"
#include "demo/SkinDraw.h"
#include "demo/SkinTheme.h"

#include <QDirIterator>
#include <QFile>
#include <QPainter>

#include <algorithm>
#include <vector>

using namespace SkinTheme;

namespace {

struct Tile
{
    QString label;
    QImage image;
};

void AddArchived(const QString& pakPath, const QString& relativePak, std::vector<Tile>& tiles)
{
    const auto pack = ReadPackFile(pakPath.toStdString());
    if (!pack)
        return;
    QFile file(pakPath);
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (const PackEntry& entry : pack->entries) {
        if (!QString::fromStdString(entry.name).endsWith(".bmp", Qt::CaseInsensitive))
            continue;
        if (!file.seek(entry.position))
            continue;
        QImage image;
        if (image.loadFromData(file.read(entry.length), "BMP"))
            tiles.push_back({relativePak + ':' + QString::fromStdString(entry.name).section('/', -1), image});
    }
}

std::vector<Tile> Collect(const QString& root)
{
    std::vector<Tile> tiles;
    QDirIterator it(root, {"*.bmp", "*.pak"}, QDir::Files, QDirIterator::Subdirectories);
    QStringList paths;
    while (it.hasNext())
        paths << it.next();
    paths.sort();
    for (const QString& path : paths) {
        const QString relative = path.mid(root.size() + 1);
        if (path.endsWith(".pak", Qt::CaseInsensitive)) {
            AddArchived(path, relative.section('/', -1), tiles);
            continue;
        }
        QImage image(path);
        if (!image.isNull())
            tiles.push_back({relative.section('/', -1), image});
    }
    // Tallest first, so each shelf of the sheet wastes little space.
    std::stable_sort(tiles.begin(), tiles.end(),
                     [](const Tile& a, const Tile& b) { return a.image.height() > b.image.height(); });
    return tiles;
}

} // namespace

QImage ContactSheet::Build(const QString& root)
{
    LoadFonts();
    std::vector<Tile> tiles = Collect(root);
    if (tiles.empty())
        return {};
    for (Tile& tile : tiles)
        if (tile.image.width() <= kSmallIcon && tile.image.height() <= kSmallIcon)
            tile.image = tile.image.scaled(tile.image.size() * kZoom, Qt::KeepAspectRatio, Qt::FastTransformation);

    const int labelHeight = 18, titleHeight = 44;
    struct Placed
    {
        QPoint at;
        const Tile* tile;
    };
    std::vector<Placed> placed;
    int x = kMargin, y = titleHeight, shelf = 0;
    for (const Tile& tile : tiles) {
        const int w = std::max(tile.image.width(), 60);
        if (x + w > kSheetWidth - kMargin && x > kMargin) {
            x = kMargin;
            y += shelf + labelHeight + kMargin;
            shelf = 0;
        }
        placed.push_back({QPoint(x, y), &tile});
        x += w + kMargin;
        shelf = std::max(shelf, tile.image.height());
    }
    const int height = y + shelf + labelHeight + kMargin;

    QImage sheet = SkinDraw::Canvas(kSheetWidth, height, QColor(26, 26, 28));
    QPainter p(&sheet);
    SkinDraw::ShadowedText(p, QRectF(kMargin, 0, kSheetWidth, titleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                           QStringLiteral("Kestrel demo world \u2014 %1 bitmaps").arg(tiles.size()), Sans(18, true),
                           kAmber);
    for (const Placed& item : placed) {
        p.setPen(QColor(70, 70, 74));
        p.drawRect(QRect(item.at - QPoint(1, 1), item.tile->image.size() + QSize(1, 1)));
        p.drawImage(item.at, item.tile->image);
        p.setFont(Condensed(11));
        p.setPen(kMuted);
        p.drawText(QRect(item.at.x(), item.at.y() + item.tile->image.height() + 2, std::max(item.tile->image.width(), 60) + kMargin,
                         labelHeight),
                   Qt::AlignLeft | Qt::AlignTop, item.tile->label);
    }
    return sheet;
}

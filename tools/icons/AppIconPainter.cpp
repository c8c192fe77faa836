#include "icons/AppIconPainter.h"

#include "demo/KestrelEmblem.h"
#include "demo/SkinTheme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>

QImage AppIconPainter::Paint(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The tile leaves a margin of 1/16 (the theme's usual optical padding) at larger
    // sizes and fills the small ones almost edge to edge.
    const qreal margin = size >= kDetailedFrom ? size / 16.0 : size / 32.0;
    const QRectF tile(margin, margin, size - 2 * margin, size - 2 * margin);
    const qreal radius = tile.width() * 0.22;
    QPainterPath shape;
    shape.addRoundedRect(tile, radius, radius);

    // A night sky that warms towards the horizon, as on the demo skin's splash.
    QLinearGradient sky(tile.topLeft(), tile.bottomLeft());
    sky.setColorAt(0.0, SkinTheme::kNight);
    sky.setColorAt(0.55, QColor(38, 22, 14));
    sky.setColorAt(1.0, SkinTheme::kRust);
    painter.fillPath(shape, sky);

    // The silhouette runs from -0.37 (head) to 0.63 (tail) of half the span: its middle
    // lies 0.13 half-spans below the point it is drawn around.
    const qreal span = tile.width() * (size >= kDetailedFrom ? 0.84 : 0.98);
    const QPointF centre = tile.center() - QPointF(0, 0.13 * span / 2 + tile.height() * 0.03);
    if (size >= kDetailedFrom) {
        QRadialGradient glow(centre, span * 0.45);
        glow.setColorAt(0.0, QColor(255, 180, 24, 70));
        glow.setColorAt(1.0, QColor(255, 180, 24, 0));
        painter.save();
        painter.setClipPath(shape);
        painter.fillRect(tile, glow);
        painter.restore();
        KestrelEmblem::Paint(painter, centre, span, 0, KestrelEmblem::Plumage);
        painter.strokePath(shape, QPen(QColor(255, 180, 24, 120), size / 96.0));
    } else {
        // At a few pixels the wings are thinner than a pixel: the outline in the same
        // colour gives them body.
        const QColor ink = SkinTheme::kAmber.lighter(110);
        KestrelEmblem::Paint(painter, centre, span, 0, KestrelEmblem::Flat, ink);
        QTransform place;
        place.translate(centre.x(), centre.y());
        place.scale(span / 2, span / 2);
        painter.strokePath(place.map(KestrelEmblem::Silhouette()), QPen(ink, size / 20.0));
    }
    return image;
}

#pragma once
// The kestrel motif of the demo skin: a falcon gliding on pointed wings with a long,
// banded tail, seen from below. Drawn from paths, in any size.
#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;

class KestrelEmblem
{
public:
    // The silhouette in unit space: wingspan from x = -1 to 1, head at y = -0.37,
    // tail tip at y = 0.63.
    static QPainterPath Silhouette();

    enum Style
    {
        Plumage,    // amber underside, dark wing tips, banded tail
        Flat,       // one colour (watermarks, logos)
        Backlit,    // dark against a bright sky, with an amber rim light
    };

    // Paints the bird centred on centre, span pixels from wingtip to wingtip, turned
    // by angle degrees.
    static void Paint(QPainter& painter, QPointF centre, qreal span, qreal angle, Style style = Plumage,
                      QColor flatColour = QColor());
};

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
    // The silhouette in unit space: wingspan from x = -1 to 1, head at y = -0.36,
    // tail tip at y = 0.6.
    static QPainterPath Silhouette();
    static QPainterPath Tail();

    // Paints the bird centred on centre, span pixels from wingtip to wingtip, turned
    // by angle degrees. With flat, one colour is used (watermarks, small glyphs).
    static void Paint(QPainter& painter, QPointF centre, qreal span, qreal angle, bool flat = false,
                      QColor flatColour = QColor());
};

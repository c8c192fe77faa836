#include "demo/KestrelEmblem.h"

#include "demo/SkinTheme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

namespace {

// The right half of the outline, from the crown to the tail tip.
QPainterPath RightHalf()
{
    QPainterPath path(QPointF(0, -0.36));
    path.cubicTo(0.035, -0.36, 0.06, -0.33, 0.055, -0.28);  // crown to cheek
    path.cubicTo(0.05, -0.25, 0.05, -0.23, 0.065, -0.21);    // nape
    path.cubicTo(0.18, -0.25, 0.30, -0.29, 0.42, -0.27);     // leading edge to the wrist
    path.cubicTo(0.62, -0.22, 0.82, -0.12, 1.0, -0.035);     // the hand, swept back to a point
    // Primaries: four feather tips along the trailing edge of the hand.
    const QPointF tips[] = {{0.88, 0.005}, {0.78, 0.03}, {0.68, 0.05}, {0.58, 0.065}};
    QPointF previous(1.0, -0.035);
    for (const QPointF& tip : tips) {
        const QPointF notch = (previous + tip) / 2 + QPointF(-0.01, -0.03);
        path.quadTo(notch, tip);
        previous = tip;
    }
    path.cubicTo(0.42, 0.10, 0.25, 0.14, 0.10, 0.12);        // secondaries to the flank
    path.cubicTo(0.08, 0.16, 0.07, 0.19, 0.065, 0.22);       // flank to the tail root
    path.cubicTo(0.10, 0.34, 0.14, 0.47, 0.15, 0.55);        // the tail widens a little
    path.cubicTo(0.11, 0.60, 0.05, 0.615, 0.0, 0.615);       // rounded tail tip
    return path;
}

QPainterPath Mirrored(const QPainterPath& half)
{
    QTransform flip;
    flip.scale(-1, 1);
    return flip.map(half).toReversed();
}

} // namespace

QPainterPath KestrelEmblem::Silhouette()
{
    const QPainterPath right = RightHalf();
    QPainterPath whole = right;
    whole.connectPath(Mirrored(right));
    whole.closeSubpath();
    whole.setFillRule(Qt::WindingFill);
    return whole.simplified();
}

QPainterPath KestrelEmblem::Tail()
{
    QPainterPath tail;
    tail.addRect(QRectF(-0.2, 0.22, 0.4, 0.45));
    return tail.intersected(Silhouette());
}

void KestrelEmblem::Paint(QPainter& painter, QPointF centre, qreal span, qreal angle, bool flat, QColor flatColour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(centre);
    painter.rotate(angle);
    painter.scale(span / 2, span / 2);
    const QPainterPath bird = Silhouette();

    if (flat) {
        painter.fillPath(bird, flatColour);
        painter.restore();
        return;
    }

    // Warm underside: amber breast fading to rust at the wing edges.
    QRadialGradient body(QPointF(0, -0.05), 1.0);
    body.setColorAt(0.0, SkinTheme::kAmber.lighter(112));
    body.setColorAt(0.35, SkinTheme::kAmber);
    body.setColorAt(0.75, SkinTheme::kAmberDeep);
    body.setColorAt(1.0, SkinTheme::kRust);
    painter.fillPath(bird, body);

    painter.setClipPath(bird);
    // Dark primaries at the wing tips.
    for (int side : {-1, 1}) {
        QRadialGradient tip(QPointF(side * 1.0, -0.02), 0.42);
        tip.setColorAt(0.0, QColor(28, 16, 8, 240));
        tip.setColorAt(1.0, QColor(28, 16, 8, 0));
        painter.fillRect(QRectF(-1.1, -0.5, 2.2, 1.2), tip);
    }
    // Feather shafts: fine lines from the arm out to the trailing edge.
    QPen shaft(QColor(70, 30, 8, 120), 0.006);
    painter.setPen(shaft);
    for (int side : {-1, 1})
        for (int i = 0; i < 9; ++i) {
            const qreal x = 0.12 + i * 0.095;
            painter.drawLine(QPointF(side * x, -0.2 + i * 0.012), QPointF(side * (x + 0.05), 0.12));
        }
    // Speckles on the breast.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(80, 36, 10, 150));
    for (int i = 0; i < 7; ++i)
        painter.drawEllipse(QPointF((i % 2 ? 0.022 : -0.022), -0.17 + i * 0.045), 0.011, 0.016);
    // The dark band near the tail tip, with a pale fringe.
    painter.fillRect(QRectF(-0.3, 0.50, 0.6, 0.06), QColor(30, 16, 8, 230));
    painter.fillRect(QRectF(-0.3, 0.56, 0.6, 0.08), QColor(255, 226, 170, 200));
    painter.setClipping(false);

    painter.setPen(QPen(QColor(40, 18, 6), 0.012));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bird);
    painter.restore();
}

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
    path.cubicTo(0.05, -0.36, 0.078, -0.33, 0.076, -0.29);   // broad round crown
    path.cubicTo(0.075, -0.26, 0.068, -0.245, 0.072, -0.225); // cheek to nape
    path.cubicTo(0.076, -0.21, 0.085, -0.20, 0.095, -0.195);  // shoulder
    path.cubicTo(0.20, -0.225, 0.32, -0.25, 0.44, -0.235);    // leading edge to the wrist
    path.cubicTo(0.62, -0.20, 0.84, -0.09, 1.0, 0.0);         // the hand sweeps back to a point
    // Primaries: shallow notches between the long outer feathers.
    const QPointF tips[] = {{0.90, 0.035}, {0.81, 0.06}, {0.72, 0.08}};
    QPointF previous(1.0, 0.0);
    for (const QPointF& tip : tips) {
        const QPointF notch = (previous + tip) / 2 + QPointF(-0.02, -0.022);
        path.quadTo(notch, tip);
        previous = tip;
    }
    path.cubicTo(0.52, 0.14, 0.26, 0.17, 0.085, 0.115);       // curved trailing edge into the flank
    path.cubicTo(0.075, 0.14, 0.066, 0.16, 0.064, 0.19);      // tail root
    path.cubicTo(0.075, 0.31, 0.095, 0.45, 0.108, 0.555);     // the long tail fans slightly
    path.cubicTo(0.10, 0.61, 0.05, 0.635, 0.0, 0.635);        // rounded tail tip
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
    return whole;
}

void KestrelEmblem::Paint(QPainter& painter, QPointF centre, qreal span, qreal angle, Style style, QColor flatColour)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(centre);
    painter.rotate(angle);
    painter.scale(span / 2, span / 2);
    const QPainterPath bird = Silhouette();

    if (style == Flat) {
        painter.fillPath(bird, flatColour);
        painter.restore();
        return;
    }
    if (style == Backlit) {
        QLinearGradient shade(0, -0.4, 0, 0.64);
        shade.setColorAt(0, QColor(44, 26, 16));
        shade.setColorAt(1, QColor(18, 11, 8));
        painter.fillPath(bird, shade);
        painter.setClipPath(bird);
        // The light comes from behind and below: a glowing rim on the lower edges.
        painter.strokePath(bird.translated(0, -0.012), QPen(QColor(255, 196, 80, 230), 0.022));
        painter.strokePath(bird.translated(0, -0.03), QPen(QColor(255, 150, 40, 70), 0.03));
        painter.fillRect(QRectF(-0.3, 0.51, 0.6, 0.055), QColor(10, 6, 4));
        painter.setClipping(false);
        painter.strokePath(bird, QPen(QColor(255, 190, 90, 60), 0.006));
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
        QRadialGradient tip(QPointF(side * 1.0, 0.02), 0.36);
        tip.setColorAt(0.0, QColor(34, 18, 8, 250));
        tip.setColorAt(0.6, QColor(60, 28, 8, 140));
        tip.setColorAt(1.0, QColor(60, 28, 8, 0));
        painter.fillRect(QRectF(-1.1, -0.5, 2.2, 1.2), tip);
    }
    // Depth: a soft dark rim inside the outline and a light edge along the top.
    painter.strokePath(bird, QPen(QColor(90, 40, 8, 70), 0.05));
    painter.strokePath(bird.translated(0, 0.018), QPen(QColor(255, 236, 180, 70), 0.02));
    // Pale breast and a few dark drops on it.
    QRadialGradient breast(QPointF(0, -0.12), 0.16);
    breast.setColorAt(0, QColor(255, 238, 190, 120));
    breast.setColorAt(1, QColor(255, 238, 190, 0));
    painter.fillRect(QRectF(-0.2, -0.3, 0.4, 0.35), breast);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(96, 44, 10, 130));
    const QPointF drops[] = {{-0.03, -0.16}, {0.028, -0.14}, {-0.012, -0.10}, {0.035, -0.07}, {-0.04, -0.05}};
    for (const QPointF& drop : drops)
        painter.drawEllipse(drop, 0.008, 0.013);
    // The dark band near the tail tip, with a pale fringe.
    painter.fillRect(QRectF(-0.3, 0.51, 0.6, 0.055), QColor(30, 16, 8, 235));
    painter.fillRect(QRectF(-0.3, 0.565, 0.6, 0.08), QColor(255, 226, 170, 210));
    painter.setClipping(false);

    painter.setPen(QPen(QColor(40, 18, 6), 0.010));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(bird);
    painter.restore();
}

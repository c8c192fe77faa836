#include "demo/IconPainter.h"

#include "demo/SkinDraw.h"
#include "demo/SkinTheme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace SkinTheme;

namespace {

QPainterPath Star(QPointF centre, qreal outer, qreal inner)
{
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 ? inner : outer;
        const qreal a = -M_PI / 2 + i * M_PI / 5;
        const QPointF point = centre + QPointF(r * std::cos(a), r * std::sin(a));
        i ? star.lineTo(point) : star.moveTo(point);
    }
    star.closeSubpath();
    return star;
}

void Padlock(QPainter& p, bool closed)
{
    const QColor metal = closed ? kAmber : QColor(150, 150, 150);
    // Shackle: closed sits in the body, open swings up and to the right.
    p.setPen(QPen(closed ? QColor(225, 225, 225) : QColor(130, 130, 130), 1.8));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    const qreal left = closed ? 5 : 8.5;
    shackle.moveTo(left, closed ? 8 : 6);
    shackle.lineTo(left, 5.5);
    shackle.arcTo(QRectF(left, 1.5, 6, 7), 180, -180);
    shackle.lineTo(left + 6, 8);
    p.drawPath(shackle);
    QLinearGradient body(0, 7, 0, 15);
    body.setColorAt(0, metal.lighter(125));
    body.setColorAt(1, metal.darker(160));
    p.setPen(QPen(QColor(20, 16, 10), 1));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(3.5, 7.5, 9, 7), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 20, 8));
    p.drawEllipse(QPointF(8, 10.5), 1.2, 1.2);
}

void Eye(QPainter& p)
{
    // Spectator relay: an eye in the proxies' green.
    const QColor green(63, 255, 63);
    QPainterPath lid;
    lid.moveTo(1.5, 8);
    lid.quadTo(8, 1.5, 14.5, 8);
    lid.quadTo(8, 14.5, 1.5, 8);
    p.setPen(QPen(green, 1.4));
    p.setBrush(QColor(20, 60, 20));
    p.drawPath(lid);
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawEllipse(QPointF(8, 8), 2.8, 2.8);
    p.setBrush(QColor(10, 30, 10));
    p.drawEllipse(QPointF(8, 8), 1.2, 1.2);
}

void Rack(QPainter& p)
{
    // Dedicated server: a small rack of two units with status lights.
    for (int unit = 0; unit < 2; ++unit) {
        const QRectF box(2.5, 2.5 + unit * 6, 11, 5);
        QLinearGradient face(box.topLeft(), box.bottomLeft());
        face.setColorAt(0, QColor(170, 190, 210));
        face.setColorAt(1, QColor(90, 106, 124));
        p.setPen(QPen(QColor(20, 24, 30), 1));
        p.setBrush(face);
        p.drawRect(box);
        p.setPen(Qt::NoPen);
        p.setBrush(unit ? kAmber : QColor(100, 240, 100));
        p.drawEllipse(QPointF(11, box.center().y()), 1, 1);
    }
    p.setPen(QPen(QColor(170, 190, 210), 1.2));
    p.drawLine(QPointF(8, 14), QPointF(8, 15.5));
    p.drawLine(QPointF(4, 15.5), QPointF(12, 15.5));
}

void Monitor(QPainter& p)
{
    // Listen server: a screen with a player on it.
    QLinearGradient screen(0, 2, 0, 11);
    screen.setColorAt(0, QColor(70, 110, 150));
    screen.setColorAt(1, QColor(30, 50, 80));
    p.setPen(QPen(QColor(200, 200, 200), 1));
    p.setBrush(screen);
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 9), 1, 1);
    p.setPen(Qt::NoPen);
    p.setBrush(kAmber);
    p.drawEllipse(QPointF(8, 5.6), 1.6, 1.6);
    p.drawRoundedRect(QRectF(5.5, 7.5, 5, 3.5), 1.5, 1.5);
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(7, 11.5, 2, 2));
    p.drawRect(QRectF(4.5, 13.5, 7, 1.5));
}

void Window(QPainter& p)
{
    // A generic desktop window: title bar and two panes.
    p.setPen(QPen(QColor(210, 210, 210), 1));
    p.setBrush(QColor(40, 60, 96));
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.fillRect(QRectF(2, 3, 12, 3), QColor(110, 160, 230));
    p.fillRect(QRectF(3, 7, 4.5, 5.5), QColor(160, 196, 240));
    p.fillRect(QRectF(8.5, 7, 4.5, 5.5), QColor(160, 196, 240));
}

void Terminal(QPainter& p)
{
    // A terminal prompt.
    p.setPen(QPen(QColor(210, 210, 210), 1));
    p.setBrush(QColor(14, 14, 14));
    p.drawRoundedRect(QRectF(1.5, 2.5, 13, 11), 1.5, 1.5);
    p.setPen(QPen(QColor(120, 230, 120), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath chevron;
    chevron.moveTo(4, 5.5);
    chevron.lineTo(6.5, 8);
    chevron.lineTo(4, 10.5);
    p.drawPath(chevron);
    p.drawLine(QPointF(8, 10.5), QPointF(11.5, 10.5));
}

} // namespace

QStringList IconPainter::Names()
{
    return {"favorite", "nonfav", "lock", "unlock", "proxy", "dedicate", "listen", "windows", "linux"};
}

QImage IconPainter::Paint(const QString& name)
{
    QImage image = SkinDraw::Canvas(kSize, kSize, kDialog);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (name == "favorite") {
        QLinearGradient gold(0, 1, 0, 15);
        gold.setColorAt(0, QColor(255, 226, 120));
        gold.setColorAt(1, kAmberDeep);
        p.setPen(QPen(QColor(60, 34, 6), 0.9));
        p.setBrush(gold);
        p.drawPath(Star(QPointF(8, 8.6), 7.2, 3.0));
    } else if (name == "nonfav") {
        p.setPen(QPen(QColor(112, 112, 112), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(Star(QPointF(8, 8.6), 6.6, 2.8));
    } else if (name == "lock" || name == "unlock") {
        Padlock(p, name == "lock");
    } else if (name == "proxy") {
        Eye(p);
    } else if (name == "dedicate") {
        Rack(p);
    } else if (name == "listen") {
        Monitor(p);
    } else if (name == "windows") {
        Window(p);
    } else if (name == "linux") {
        Terminal(p);
    } else {
        return {};
    }
    return image;
}

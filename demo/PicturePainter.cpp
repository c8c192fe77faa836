#include "demo/PicturePainter.h"

#include "demo/KestrelEmblem.h"
#include "demo/SkinDraw.h"
#include "demo/SkinTheme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

using namespace SkinTheme;

QImage PicturePainter::Gamma()
{
    QImage image = SkinDraw::Canvas(kGammaWidth, kGammaHeight, kNight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int wedgeTop = kGammaHeight - 22;

    QLinearGradient sky(0, 0, 0, wedgeTop);
    sky.setColorAt(0, QColor(24, 30, 52));
    sky.setColorAt(0.6, QColor(150, 80, 40));
    sky.setColorAt(1, QColor(250, 170, 70));
    p.fillRect(QRect(0, 0, kGammaWidth, wedgeTop), sky);
    QRadialGradient sun(QPointF(110, wedgeTop - 20), 26);
    sun.setColorAt(0, QColor(255, 244, 210));
    sun.setColorAt(0.5, QColor(255, 210, 120, 200));
    sun.setColorAt(1, QColor(255, 200, 100, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(110, wedgeTop - 20), 26, 26);

    QPainterPath hills(QPointF(0, wedgeTop));
    hills.cubicTo(30, wedgeTop - 30, 60, wedgeTop - 8, 90, wedgeTop - 22);
    hills.cubicTo(120, wedgeTop - 36, 140, wedgeTop - 12, kGammaWidth, wedgeTop - 18);
    hills.lineTo(kGammaWidth, wedgeTop);
    hills.closeSubpath();
    p.fillPath(hills, QColor(30, 22, 20));
    KestrelEmblem::Paint(p, QPointF(52, 34), 56, -16);

    // Eight grey steps from black to white, each labelled with nothing but its tone.
    const int steps = 8;
    for (int i = 0; i < steps; ++i) {
        const int grey = i * 255 / (steps - 1);
        p.fillRect(QRect(i * kGammaWidth / steps, wedgeTop, kGammaWidth / steps, kGammaHeight - wedgeTop),
                   QColor(grey, grey, grey));
    }
    return image;
}

std::vector<DemoPlayerModel> PicturePainter::PlayerModels()
{
    return {
        {"pilgrim", "Pilgrim", QColor(176, 140, 90)},
        {"warden", "Warden", QColor(80, 120, 170)},
        {"falconer", "Falconer", QColor(200, 110, 40)},
        {"ranger", "Ranger", QColor(90, 150, 80)},
    };
}

QImage PicturePainter::PlayerPreview(const DemoPlayerModel& model)
{
    QImage image = SkinDraw::Canvas(kPreviewWidth, kPreviewHeight, kDialog);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient light(QPointF(kPreviewWidth / 2.0, 40), 90);
    light.setColorAt(0, QColor(96, 96, 100));
    light.setColorAt(1, QColor(30, 30, 32));
    p.fillRect(image.rect(), light);

    // A figure: head, shoulders, torso with a coloured harness, legs.
    const qreal cx = kPreviewWidth / 2.0;
    QLinearGradient armour(cx - 24, 0, cx + 24, 0);
    armour.setColorAt(0, model.colour.darker(170));
    armour.setColorAt(0.45, model.colour.lighter(115));
    armour.setColorAt(1, model.colour.darker(200));
    QPainterPath body;
    body.moveTo(cx - 24, 50);
    body.quadTo(cx, 38, cx + 24, 50);
    body.lineTo(cx + 18, 86);
    body.lineTo(cx + 13, 118);
    body.lineTo(cx + 3, 118);
    body.lineTo(cx, 92);
    body.lineTo(cx - 3, 118);
    body.lineTo(cx - 13, 118);
    body.lineTo(cx - 18, 86);
    body.closeSubpath();
    p.setPen(QPen(QColor(16, 16, 16), 1.2));
    p.setBrush(armour);
    p.drawPath(body);
    p.setBrush(QColor(40, 40, 44));
    p.drawEllipse(QPointF(cx, 30), 11, 12);
    p.setPen(Qt::NoPen);
    p.setBrush(kAmber);
    p.drawRoundedRect(QRectF(cx - 8, 27, 16, 4), 2, 2); // visor
    p.setBrush(QColor(30, 30, 30, 160));
    p.drawRect(QRectF(cx - 18, 80, 36, 5)); // belt

    SkinDraw::ShadowedText(p, QRectF(0, kPreviewHeight - 16, kPreviewWidth, 14), Qt::AlignCenter, model.title,
                           Condensed(11, true), kInk);
    return image;
}

std::vector<QString> PicturePainter::LogoNames()
{
    return {"kestrel", "feather", "talon", "compass"};
}

QImage PicturePainter::Logo(const QString& name)
{
    QImage rgb = SkinDraw::Canvas(kLogoSize, kLogoSize, Qt::white);
    QPainter p(&rgb);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kLogoSize / 2.0, kLogoSize / 2.0);
    if (name == "kestrel") {
        KestrelEmblem::Paint(p, centre + QPointF(0, -4), 60, -12, KestrelEmblem::Flat, Qt::black);
    } else if (name == "feather") {
        QPainterPath vane;
        vane.moveTo(12, 56);
        vane.cubicTo(14, 30, 34, 10, 54, 6);
        vane.cubicTo(52, 28, 36, 48, 12, 56);
        p.fillPath(vane, Qt::black);
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(12, 56), QPointF(50, 10));
        for (int i = 1; i < 6; ++i)
            p.drawLine(QPointF(12 + i * 6.5, 56 - i * 8), QPointF(18 + i * 7, 52 - i * 6));
    } else if (name == "talon") {
        p.setPen(QPen(Qt::black, 5, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 3; ++i) {
            QPainterPath claw;
            claw.moveTo(14 + i * 14, 8);
            claw.cubicTo(20 + i * 14, 28, 22 + i * 12, 46, 12 + i * 16, 58);
            p.drawPath(claw);
        }
    } else if (name == "compass") {
        p.setPen(QPen(Qt::black, 3));
        p.drawEllipse(centre, 26, 26);
        QPainterPath needle;
        needle.moveTo(centre + QPointF(0, -24));
        needle.lineTo(centre + QPointF(6, 0));
        needle.lineTo(centre + QPointF(0, 24));
        needle.lineTo(centre + QPointF(-6, 0));
        needle.closeSubpath();
        p.fillPath(needle, Qt::black);
    } else {
        return {};
    }
    p.end();

    QImage logo(kLogoSize, kLogoSize, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < kPaletteSize; ++i)
        table << qRgb(i, i, i);
    logo.setColorTable(table);
    for (int y = 0; y < kLogoSize; ++y)
        for (int x = 0; x < kLogoSize; ++x)
            logo.setPixel(x, y, uint(qGray(rgb.pixel(x, y))));
    return logo;
}

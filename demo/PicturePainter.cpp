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
    QRadialGradient light(QPointF(kPreviewWidth / 2.0, 44), 96);
    light.setColorAt(0, QColor(104, 104, 110));
    light.setColorAt(1, QColor(26, 26, 28));
    p.fillRect(image.rect(), light);

    const qreal cx = kPreviewWidth / 2.0;
    const QColor armourLight = model.colour.lighter(125), armourDark = model.colour.darker(190);
    const QPen outline(QColor(14, 14, 14), 1.1);
    auto armour = [&](qreal left, qreal right) {
        QLinearGradient g(left, 0, right, 0);
        g.setColorAt(0, armourDark);
        g.setColorAt(0.4, armourLight);
        g.setColorAt(1, armourDark);
        return g;
    };

    // Shadow on the floor.
    QRadialGradient shadow(QPointF(cx, 110), 30);
    shadow.setColorAt(0, QColor(0, 0, 0, 150));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(cx, 110), 30, 6);

    // Legs and boots.
    p.setPen(outline);
    for (int side : {-1, 1}) {
        QPainterPath leg;
        leg.moveTo(cx + side * 2, 78);
        leg.lineTo(cx + side * 14, 78);
        leg.lineTo(cx + side * 12, 104);
        leg.lineTo(cx + side * 3, 104);
        leg.closeSubpath();
        p.setBrush(QColor(44, 44, 48));
        p.drawPath(leg);
        p.setBrush(QColor(24, 22, 20));
        p.drawRoundedRect(QRectF(cx + (side < 0 ? -14.5 : 2), 101, 12.5, 7), 2, 2);
    }
    // Arms, slightly away from the body.
    for (int side : {-1, 1}) {
        QPainterPath arm;
        arm.moveTo(cx + side * 19, 46);
        arm.quadTo(cx + side * 29, 60, cx + side * 27, 82);
        arm.lineTo(cx + side * 21, 82);
        arm.quadTo(cx + side * 21, 62, cx + side * 15, 52);
        arm.closeSubpath();
        p.setBrush(armour(cx + side * 15, cx + side * 29));
        p.drawPath(arm);
        p.setBrush(QColor(36, 36, 40));
        p.drawEllipse(QPointF(cx + side * 24, 84), 3.6, 3.6); // glove
    }
    // Torso with a belt.
    QPainterPath torso;
    torso.moveTo(cx - 18, 46);
    torso.quadTo(cx, 40, cx + 18, 46);
    torso.lineTo(cx + 14, 80);
    torso.lineTo(cx - 14, 80);
    torso.closeSubpath();
    p.setBrush(armour(cx - 18, cx + 18));
    p.drawPath(torso);
    p.fillRect(QRectF(cx - 14.5, 74, 29, 5), QColor(30, 28, 26));
    p.fillRect(QRectF(cx - 3, 74.5, 6, 4), kAmber);
    KestrelEmblem::Paint(p, QPointF(cx, 58), 20, 0, KestrelEmblem::Flat, QColor(255, 200, 90, 200));
    // Shoulder plates.
    for (int side : {-1, 1}) {
        QRadialGradient plate(QPointF(cx + side * 18, 44), 10);
        plate.setColorAt(0, armourLight.lighter(120));
        plate.setColorAt(1, armourDark);
        p.setPen(outline);
        p.setBrush(plate);
        p.drawEllipse(QPointF(cx + side * 19, 47), 8, 5.5);
    }
    // Helmet and visor.
    p.setBrush(QColor(40, 40, 44));
    p.drawRect(QRectF(cx - 4, 36, 8, 6)); // neck
    QRadialGradient helmet(QPointF(cx - 3, 22), 14);
    helmet.setColorAt(0, QColor(110, 110, 118));
    helmet.setColorAt(1, QColor(30, 30, 34));
    p.setBrush(helmet);
    p.drawEllipse(QPointF(cx, 27), 10.5, 11.5);
    QLinearGradient visor(cx - 8, 0, cx + 8, 0);
    visor.setColorAt(0, kAmberDeep);
    visor.setColorAt(0.5, QColor(255, 220, 120));
    visor.setColorAt(1, kAmberDeep);
    p.setPen(Qt::NoPen);
    p.setBrush(visor);
    p.drawRoundedRect(QRectF(cx - 8, 25, 16, 4.5), 2, 2);

    // Name plate.
    p.fillRect(QRectF(0, kPreviewHeight - 17, kPreviewWidth, 17), QColor(0, 0, 0, 150));
    p.fillRect(QRectF(0, kPreviewHeight - 17, kPreviewWidth, 1), QColor(255, 180, 24, 120));
    SkinDraw::ShadowedText(p, QRectF(0, kPreviewHeight - 16, kPreviewWidth, 16), Qt::AlignCenter, model.title,
                           Condensed(11, true), kInk);
    return image;
}

std::vector<QString> PicturePainter::LogoNames()
{
    return {"kestrel", "feather", "talon", "compass", "wide48"};
}

int PicturePainter::LogoSize(const QString& name)
{
    if (name == "feather")
        return 32;
    if (name == "talon")
        return 16;
    if (name == "wide48")
        return 48;
    return kLogoSize;
}

QImage PicturePainter::Logo(const QString& name)
{
    QImage rgb = SkinDraw::Canvas(kLogoSize, kLogoSize, Qt::white);
    QPainter p(&rgb);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(kLogoSize / 2.0, kLogoSize / 2.0);
    if (name == "kestrel" || name == "wide48") {
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
    const int size = LogoSize(name);
    if (size != kLogoSize)
        rgb = rgb.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);

    QImage logo(size, size, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < kPaletteSize; ++i)
        table << qRgb(i, i, i);
    logo.setColorTable(table);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            logo.setPixel(x, y, uint(qGray(rgb.pixel(x, y))));
    return logo;
}

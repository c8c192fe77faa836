#include "demo/SplashPainter.h"

#include "demo/KestrelEmblem.h"
#include "demo/SkinDraw.h"
#include "demo/SkinTheme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

using namespace SkinTheme;

namespace {

const QPointF kSun(462, 222);

// A ridge line across the picture: a sum of slow waves, so it is the same every run.
QPainterPath Ridge(qreal base, qreal height, qreal phase, qreal roughness)
{
    QPainterPath ridge(QPointF(0, SplashPainter::kHeight));
    for (int x = 0; x <= SplashPainter::kWidth; x += 4) {
        const qreal t = x / 640.0;
        const qreal y = base - height * (0.55 * std::sin(t * 5.1 + phase) + 0.30 * std::sin(t * 11.7 + phase * 2.3) +
                                         roughness * std::sin(t * 37.0 + phase * 5.0));
        ridge.lineTo(x, y);
    }
    ridge.lineTo(SplashPainter::kWidth, SplashPainter::kHeight);
    ridge.closeSubpath();
    return ridge;
}

void Sky(QPainter& p)
{
    QLinearGradient sky(0, 0, 0, SplashPainter::kHeight);
    sky.setColorAt(0.0, QColor(12, 12, 16));
    sky.setColorAt(0.45, QColor(34, 24, 20));
    sky.setColorAt(0.70, QColor(70, 38, 16));
    sky.setColorAt(1.0, QColor(20, 14, 12));
    p.fillRect(QRect(0, 0, SplashPainter::kWidth, SplashPainter::kHeight), sky);

    // The low sun and its glow.
    QRadialGradient glow(kSun, 330);
    glow.setColorAt(0.0, QColor(255, 190, 70, 190));
    glow.setColorAt(0.18, QColor(255, 150, 40, 110));
    glow.setColorAt(0.5, QColor(160, 70, 20, 40));
    glow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.fillRect(QRect(0, 0, SplashPainter::kWidth, SplashPainter::kHeight), glow);
    QRadialGradient disc(kSun, 84);
    disc.setColorAt(0.0, QColor(255, 244, 205, 250));
    disc.setColorAt(0.7, QColor(255, 204, 100, 200));
    disc.setColorAt(1.0, QColor(255, 170, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(kSun, 84, 84);

    // Thin haze bands across the sun.
    for (int i = 0; i < 5; ++i) {
        const qreal y = kSun.y() + 10 + i * 13;
        QLinearGradient band(kSun.x() - 220, 0, kSun.x() + 220, 0);
        band.setColorAt(0, QColor(0, 0, 0, 0));
        band.setColorAt(0.5, QColor(40, 18, 10, 60 + i * 12));
        band.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRectF(kSun.x() - 220, y, 440, 2.0 + i * 0.8), band);
    }
}

void Ridges(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.fillPath(Ridge(352, 34, 0.4, 0.05), QColor(58, 34, 22));
    p.fillPath(Ridge(390, 42, 2.1, 0.07), QColor(36, 24, 18));
    p.fillPath(Ridge(432, 30, 4.0, 0.09), QColor(20, 15, 13));
    // Rim light on the nearest ridge.
    p.setPen(QPen(QColor(255, 170, 60, 60), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(Ridge(432, 30, 4.0, 0.09));
}

void AirCurrents(QPainter& p)
{
    // Long thin currents of warm air sweeping up towards the bird.
    for (int i = 0; i < 6; ++i) {
        const qreal y0 = 330 - i * 22;
        QPainterPath current(QPointF(150 + i * 30, y0 + 40));
        current.cubicTo(300 + i * 20, y0 - 10, 420, y0 + 30 - i * 6, 640, y0 - 70 - i * 8);
        QLinearGradient fade(150, 0, 640, 0);
        fade.setColorAt(0, QColor(255, 190, 90, 0));
        fade.setColorAt(0.5, QColor(255, 190, 90, 34 + i * 6));
        fade.setColorAt(1, QColor(255, 190, 90, 0));
        p.setPen(QPen(QBrush(fade), 1.0 + (i % 3) * 0.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(current);
    }
}

void Title(QPainter& p)
{
    QFont title = Sans(50, true);
    title.setLetterSpacing(QFont::AbsoluteSpacing, 7);
    SkinDraw::ShadowedText(p, QRectF(38, 74, 400, 64), Qt::AlignLeft | Qt::AlignVCenter, "KESTREL", title,
                           QColor(250, 246, 238), QColor(0, 0, 0, 200));
    QLinearGradient rule(40, 0, 360, 0);
    rule.setColorAt(0, kAmber);
    rule.setColorAt(1, QColor(255, 180, 24, 0));
    p.fillRect(QRectF(40, 142, 320, 2), rule);
    QFont sub = Sans(13, true);
    sub.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    SkinDraw::ShadowedText(p, QRectF(42, 148, 360, 22), Qt::AlignLeft | Qt::AlignVCenter, "VREL  \u00b7  DEMO WORLD",
                           sub, kAmber);
}

void Vignette(QPainter& p)
{
    QRadialGradient shade(QPointF(360, 230), 520);
    shade.setColorAt(0.55, QColor(0, 0, 0, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 170));
    p.fillRect(QRect(0, 0, SplashPainter::kWidth, SplashPainter::kHeight), shade);
    // Keep the corners the launcher draws on quiet and dark.
    QRadialGradient topRight(QPointF(SplashPainter::kWidth, 0), 120);
    topRight.setColorAt(0, QColor(0, 0, 0, 150));
    topRight.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRect(0, 0, SplashPainter::kWidth, SplashPainter::kHeight), topRight);
    // A dark shelf behind the menu buttons, fading in below the title.
    QImage shelf(SplashPainter::kWidth, SplashPainter::kHeight, QImage::Format_ARGB32_Premultiplied);
    shelf.fill(Qt::transparent);
    {
        QPainter s(&shelf);
        QLinearGradient across(0, 0, 300, 0);
        across.setColorAt(0, QColor(0, 0, 0, 140));
        across.setColorAt(1, QColor(0, 0, 0, 0));
        s.fillRect(shelf.rect(), across);
        s.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QLinearGradient down(0, 170, 0, 260);
        down.setColorAt(0, QColor(0, 0, 0, 0));
        down.setColorAt(1, QColor(0, 0, 0, 255));
        s.fillRect(shelf.rect(), down);
    }
    p.drawImage(0, 0, shelf);
}

void Frame(QPainter& p)
{
    const QRect all(0, 0, SplashPainter::kWidth, SplashPainter::kHeight);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0, 0, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(all.adjusted(0, 0, -1, -1));
    p.setPen(QColor(255, 180, 24, 46));
    p.drawRect(all.adjusted(1, 1, -2, -2));
}

} // namespace

QImage SplashPainter::Paint()
{
    QImage image = SkinDraw::Canvas(kWidth, kHeight, kNight);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        Sky(p);
        Ridges(p);
        const QPointF bird(452, 200);
        const qreal angle = -18;
        AirCurrents(p);
        // A soft halo so the silhouette reads against the sun.
        QRadialGradient halo(bird, 170);
        halo.setColorAt(0, QColor(255, 200, 110, 70));
        halo.setColorAt(1, QColor(255, 200, 110, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(bird, 170, 170);
        KestrelEmblem::Paint(p, bird, 330, angle, KestrelEmblem::Backlit);
        Vignette(p);
        Title(p);
        Frame(p);
    }
    SkinDraw::Grain(image, 2, 0x6b657374);
    return image;
}

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

const QPointF kSun(468, 236);

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
    QRadialGradient disc(kSun, 62);
    disc.setColorAt(0.0, QColor(255, 236, 180, 235));
    disc.setColorAt(0.8, QColor(255, 196, 90, 150));
    disc.setColorAt(1.0, QColor(255, 170, 60, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(kSun, 62, 62);

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

void Streaks(QPainter& p, QPointF from, qreal angle)
{
    // Speed lines behind the stooping bird, fading towards the sky.
    p.save();
    p.translate(from);
    p.rotate(angle);
    for (int i = 0; i < 7; ++i) {
        const qreal y = -46 + i * 15 + (i % 2) * 4;
        const qreal length = 90 + (i * 37) % 80;
        QLinearGradient fade(0, 0, -length, 0);
        fade.setColorAt(0, QColor(255, 190, 80, 120));
        fade.setColorAt(1, QColor(255, 190, 80, 0));
        p.setPen(QPen(QBrush(fade), i == 3 ? 2.0 : 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(-20, y), QPointF(-20 - length, y));
    }
    p.restore();
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
    // A dark shelf behind the menu buttons.
    QLinearGradient shelf(0, 0, 260, 0);
    shelf.setColorAt(0, QColor(0, 0, 0, 120));
    shelf.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRect(0, 180, 260, SplashPainter::kHeight - 180), shelf);
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
        Streaks(p, bird, angle + 200);
        // A soft halo so the silhouette reads against the sun.
        QRadialGradient halo(bird, 170);
        halo.setColorAt(0, QColor(255, 200, 110, 70));
        halo.setColorAt(1, QColor(255, 200, 110, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawEllipse(bird, 170, 170);
        KestrelEmblem::Paint(p, bird, 330, angle);
        Vignette(p);
        Title(p);
    }
    SkinDraw::Grain(image, 2, 0x6b657374);
    return image;
}

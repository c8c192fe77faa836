#include "demo/LogoAnimationPainter.h"

#include "demo/KestrelEmblem.h"
#include "demo/SplashPainter.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace {

constexpr qreal kPi = 3.14159265358979;
constexpr qreal kSpan = 54;         // wingtip to wingtip, pixels
constexpr qreal kWingBeats = 14;    // per loop
constexpr qreal kBirdPhase = 0.2;
constexpr qreal kRuleY = 142 - LogoAnimationPainter::kTop;
constexpr qreal kRuleLeft = 40;
constexpr qreal kRuleRight = 360;

void Bird(QPainter& p, qreal loop)
{
    // The loop starts with the bird already in the picture, so the first frame (the
    // still logo without the flying animation) shows it.
    const qreal t = std::fmod(loop + kBirdPhase, 1.0);
    // Enters beyond the right edge, leaves beyond the left one, riding a long swell.
    const qreal x = LogoAnimationPainter::kWidth + kSpan - t * (LogoAnimationPainter::kWidth + 2 * kSpan);
    const qreal y = 44 + 16 * std::sin(t * 2 * kPi * 1.5) - 10 * t;
    const qreal beat = std::sin(t * 2 * kPi * kWingBeats);
    // The wings close a little on the down stroke; the body banks with the swell.
    const qreal span = kSpan * (0.86 + 0.14 * beat);
    const qreal bank = 6 * std::cos(t * 2 * kPi * 1.5);
    KestrelEmblem::Paint(p, QPointF(x, y), span, -90 + bank, KestrelEmblem::Backlit);
}

void Glint(QPainter& p, qreal t)
{
    // Runs along the rule during the first half of the loop, then rests.
    if (t >= 0.5)
        return;
    const qreal u = t / 0.5;
    const qreal x = kRuleLeft + u * (kRuleRight - kRuleLeft);
    const int strength = int(230 * std::sin(u * kPi));
    QRadialGradient spot(QPointF(x, kRuleY + 1), 26);
    spot.setColorAt(0, QColor(255, 246, 220, strength));
    spot.setColorAt(0.25, QColor(255, 200, 90, strength / 2));
    spot.setColorAt(1, QColor(255, 180, 24, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(spot);
    p.drawEllipse(QPointF(x, kRuleY + 1), 26, 5);
    p.fillRect(QRectF(x - 1.5, kRuleY - 1, 3, 4), QColor(255, 250, 235, strength));
}

} // namespace

QImage LogoAnimationPainter::Frame(const QImage& backdrop, int frame)
{
    QImage image = backdrop.convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal t = qreal(frame % kFrames) / kFrames;
    Glint(p, t);
    Bird(p, t);
    return image;
}

std::vector<QImage> LogoAnimationPainter::Frames()
{
    const QImage backdrop = SplashPainter::Paint().copy(0, kTop, kWidth, kHeight);
    std::vector<QImage> frames;
    frames.reserve(kFrames);
    for (int i = 0; i < kFrames; ++i)
        frames.push_back(Frame(backdrop, i));
    return frames;
}

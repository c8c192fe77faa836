#include "demo/LogoAnimationPainter.h"

#include "demo/KestrelEmblem.h"
#include "demo/SplashPainter.h"

#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace {

constexpr qreal kPi = 3.14159265358979;
constexpr qreal kSpan = 66;       // wingtip to wingtip, pixels
constexpr qreal kTilt = 28;       // degrees the body leans into its heading, seen from below
constexpr qreal kHoverX = 528;    // where it hangs in the wind, clear of the title and the splash bird
constexpr qreal kHoverY = 34;
constexpr qreal kOutsideX = 720;  // beyond the right edge
// The loop starts in the middle of the hover, so the first frame (the still logo
// without the flying animation) shows the bird.
constexpr qreal kBirdPhase = 0.45;
constexpr qreal kRuleY = 142 - LogoAnimationPainter::kTop;
constexpr qreal kRuleLeft = 40;
constexpr qreal kRuleRight = 360;

qreal Ease(qreal u)
{
    return u * u * (3 - 2 * u);
}

// The kestrel glides in from the right, hovers on fast wing beats beside the title,
// turns and glides out to the right again; it never crosses the title.
void Bird(QPainter& p, qreal loop)
{
    const qreal t = std::fmod(loop + kBirdPhase, 1.0);
    qreal x = kHoverX;
    qreal y = kHoverY;
    qreal tilt = -kTilt;
    qreal beat = std::sin(t * 2 * kPi * 10); // slow strokes while gliding
    if (t < 0.3) {
        const qreal u = Ease(t / 0.3);
        x = kOutsideX + (kHoverX - kOutsideX) * u;
        y = kHoverY + 14 * (1 - u);
    } else if (t < 0.65) {
        const qreal u = (t - 0.3) / 0.35;
        beat = std::sin(u * 2 * kPi * 12); // the hover: quick, shallow beats
        x = kHoverX + 3 * std::sin(u * 2 * kPi * 2);
        y = kHoverY + 2.5 * std::sin(u * 2 * kPi * 3);
        if (u > 0.7)
            tilt = -kTilt + 2 * kTilt * Ease((u - 0.7) / 0.3); // turns to the right
    } else {
        const qreal u = Ease((t - 0.65) / 0.35);
        x = kHoverX + (kOutsideX - kHoverX) * u;
        y = kHoverY - 6 * u;
        tilt = kTilt;
    }
    // The wings close a little on each down stroke.
    const qreal span = kSpan * (0.88 + 0.12 * beat);
    KestrelEmblem::Paint(p, QPointF(x, y), span, tilt, KestrelEmblem::Backlit);
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

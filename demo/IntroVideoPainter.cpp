#include "demo/IntroVideoPainter.h"

#include "demo/KestrelEmblem.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

namespace {

// 0 → 1 over the first third, 1 in the middle, 1 → 0 over the last fifth.
qreal Envelope(int frame, int frames)
{
    const qreal t = qreal(frame) / qreal(frames - 1);
    return std::clamp(std::min(t * 3.0, (1.0 - t) * 5.0), 0.0, 1.0);
}

} // namespace

std::vector<QImage> IntroVideoPainter::Publisher()
{
    std::vector<QImage> frames;
    for (int i = 0; i < kFrames; ++i) {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal level = Envelope(i, kFrames);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(34);
        font.setBold(true);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 8);
        painter.setFont(font);
        painter.setPen(QColor::fromRgbF(0.85f * float(level), 0.85f * float(level), 0.85f * float(level)));
        painter.drawText(QRect(0, 70, kWidth, 60), Qt::AlignCenter, QStringLiteral("ZORVAN"));
        font.setPixelSize(11);
        font.setBold(false);
        font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
        painter.setFont(font);
        painter.setPen(QColor::fromRgbF(1.0f * float(level), 0.7f * float(level), 0.1f * float(level)));
        painter.drawText(QRect(0, 130, kWidth, 30), Qt::AlignCenter, QStringLiteral("P R E S E N T S"));
        frames.push_back(image);
    }
    return frames;
}

std::vector<QImage> IntroVideoPainter::Game()
{
    std::vector<QImage> frames;
    for (int i = 0; i < kFrames; ++i) {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal t = qreal(i) / qreal(kFrames - 1);
        const qreal level = Envelope(i, kFrames);
        QLinearGradient sky(0, 0, 0, kHeight);
        sky.setColorAt(0.0, QColor(12, 8, 6));
        sky.setColorAt(0.7, QColor::fromRgbF(0.55f * float(level), 0.28f * float(level), 0.05f * float(level)));
        sky.setColorAt(1.0, QColor(20, 12, 8));
        painter.fillRect(image.rect(), sky);
        QRadialGradient sun(QPointF(kWidth * 0.62, kHeight * 0.62), 70);
        sun.setColorAt(0.0, QColor::fromRgbF(1.0f * float(level), 0.8f * float(level), 0.4f * float(level)));
        sun.setColorAt(1.0, Qt::transparent);
        painter.fillRect(image.rect(), sun);
        // The bird glides across the sun.
        KestrelEmblem::Paint(painter, QPointF(kWidth * (0.15 + 0.7 * t), kHeight * (0.55 - 0.15 * t)), 120,
                             -8.0 + 10.0 * t, KestrelEmblem::Backlit);
        QPainterPath ridge;
        ridge.moveTo(0, kHeight);
        for (int x = 0; x <= kWidth; x += 16)
            ridge.lineTo(x, kHeight * 0.82 + 10 * std::sin(x * 0.03));
        ridge.lineTo(kWidth, kHeight);
        ridge.closeSubpath();
        painter.fillPath(ridge, QColor(10, 7, 5));
        frames.push_back(image);
    }
    return frames;
}

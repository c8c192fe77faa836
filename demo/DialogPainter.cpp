#include "demo/DialogPainter.h"

#include "demo/KestrelEmblem.h"
#include "demo/SkinDraw.h"
#include "demo/SkinTheme.h"

#include <QLinearGradient>
#include <QPainter>

using namespace SkinTheme;

std::vector<std::pair<QString, QSize>> DialogPainter::Backgrounds()
{
    // Dialogs are placed at (45, 45) inside the 640 × 480 menu.
    return {{"dialog", {550, 390}}, {"dialog_small", {400, 260}}, {"prompt", {380, 180}}};
}

QImage DialogPainter::Background(QSize size)
{
    QImage image = SkinDraw::Canvas(size.width(), size.height(), kDialog);
    QPainter p(&image);
    const QRect all(QPoint(0, 0), size);

    // Title band: slightly darker, with an amber hairline that fades to the right.
    SkinDraw::VerticalGradient(p, QRectF(2, 2, size.width() - 4, kTitleBand - 2), QColor(52, 52, 54), kDialog);
    QLinearGradient hairline(0, 0, size.width(), 0);
    hairline.setColorAt(0, QColor(255, 180, 24, 220));
    hairline.setColorAt(0.6, QColor(255, 180, 24, 60));
    hairline.setColorAt(1, QColor(255, 180, 24, 0));
    p.fillRect(QRectF(8, kTitleBand, size.width() - 16, 1), hairline);
    p.fillRect(QRectF(8, kTitleBand + 1, size.width() - 16, 1), QColor(0, 0, 0, 60));

    // Button band along the bottom, a mirror of the title band.
    const int bandTop = size.height() - kButtonBand;
    SkinDraw::VerticalGradient(p, QRectF(2, bandTop, size.width() - 4, kButtonBand - 2), kDialog, QColor(52, 52, 54));
    p.fillRect(QRectF(8, bandTop - 1, size.width() - 16, 1), QColor(0, 0, 0, 60));
    p.fillRect(QRectF(8, bandTop, size.width() - 16, 1), QColor(255, 255, 255, 16));

    // A faint kestrel watermark on the right, where there is room for it.
    if (size.height() >= kWatermarkMinHeight) {
        const qreal span = qMin(size.width() * 0.5, size.height() * 0.8);
        KestrelEmblem::Paint(p, QPointF(size.width() - span / 2 - 14, bandTop - span * 0.36), span, -14,
                             KestrelEmblem::Flat, QColor(255, 255, 255, 9));
    }

    // Amber corner marks.
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor mark(255, 180, 24, 150);
    const int m = 6, len = 12;
    const QPoint corners[] = {{m, m}, {size.width() - 1 - m, m}, {m, size.height() - 1 - m},
                              {size.width() - 1 - m, size.height() - 1 - m}};
    for (const QPoint& c : corners) {
        const int dx = c.x() < size.width() / 2 ? 1 : -1, dy = c.y() < size.height() / 2 ? 1 : -1;
        p.fillRect(QRect(QPoint(qMin(c.x(), c.x() + dx * len), c.y()), QSize(len + 1, 1)), mark);
        p.fillRect(QRect(QPoint(c.x(), qMin(c.y(), c.y() + dy * len)), QSize(1, len + 1)), mark);
    }

    // Frame: a dark outer line, then a two-pixel raised bevel.
    p.setPen(QColor(16, 16, 16));
    p.drawRect(all.adjusted(0, 0, -1, -1));
    SkinDraw::Bevel(p, all.adjusted(1, 1, -2, -2), QColor(112, 112, 112), QColor(28, 28, 28));
    SkinDraw::Bevel(p, all.adjusted(2, 2, -3, -3), QColor(84, 84, 84), QColor(44, 44, 44));
    return image;
}

std::vector<std::pair<QString, QString>> DialogPainter::Headers()
{
    return {
        {"head_inetgames", "Internet Games"}, {"head_specgames", "Spectate Games"}, {"head_lan", "LAN Games"},
        {"head_chat", "Chat Rooms"},          {"head_config", "Configure Kestrel"}, {"head_controls", "Controls"},
        {"head_audio", "Audio"},              {"head_advanced", "Game Options"},    {"head_video", "Video"},
        {"head_profile", "Player Profile"},   {"head_create", "Create Server"},     {"head_mods", "Custom Games"},
    };
}

QImage DialogPainter::Header(const QString& title)
{
    QImage image = SkinDraw::Canvas(kHeaderWidth, kHeaderHeight, kDialog);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Warm wash behind the title, fading into the dialog grey.
    QLinearGradient wash(0, 0, kHeaderWidth, 0);
    wash.setColorAt(0, QColor(120, 70, 20, 150));
    wash.setColorAt(0.55, QColor(90, 56, 20, 50));
    wash.setColorAt(1, QColor(63, 63, 63, 0));
    p.fillRect(QRect(0, 0, kHeaderWidth, kHeaderHeight), wash);

    // Emblem badge.
    p.setPen(QPen(QColor(255, 180, 24, 200), 1.2));
    p.setBrush(QColor(30, 22, 14));
    p.drawEllipse(QPointF(18, kHeaderHeight / 2.0), 13, 13);
    KestrelEmblem::Paint(p, QPointF(18, kHeaderHeight / 2.0 - 1), 22, -10);

    QFont font = Sans(17, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    SkinDraw::ShadowedText(p, QRectF(40, 0, kHeaderWidth - 44, kHeaderHeight), Qt::AlignLeft | Qt::AlignVCenter,
                           title, font, kInk, QColor(0, 0, 0, 190));

    QLinearGradient rule(40, 0, kHeaderWidth, 0);
    rule.setColorAt(0, kAmber);
    rule.setColorAt(1, QColor(255, 180, 24, 0));
    p.fillRect(QRectF(40, kHeaderHeight - 5, kHeaderWidth - 40, 1.5), rule);
    return image;
}

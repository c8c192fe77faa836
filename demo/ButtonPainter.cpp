#include "demo/ButtonPainter.h"

#include "demo/SkinDraw.h"
#include "demo/SkinTheme.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

using namespace SkinTheme;

QStringList ButtonPainter::MainLabels()
{
    return {"Quick Start",   "Internet Games", "LAN Games",      "Chat Rooms", "Configure Kestrel",
            "View Readme",   "VREL Manual",    "Return To Game", "Console",    "Quit"};
}

QImage ButtonPainter::Button(const QString& label, State state)
{
    QImage image = SkinDraw::Canvas(kCellWidth, kCellHeight, kNight);
    QPainter p(&image);
    const QRect cell(0, 0, kCellWidth, kCellHeight);
    const QRect plate = cell.adjusted(1, 1, -2, -2);

    // The plate: a steel gradient, warmed by amber when highlighted, inverted when pressed.
    QColor top(78, 78, 84), bottom(44, 44, 49), text(236, 236, 236), accent(132, 96, 36);
    if (state == Highlighted) {
        top = QColor(104, 78, 36);
        bottom = QColor(54, 40, 20);
        text = QColor(255, 204, 84);
        accent = kAmber;
    } else if (state == Pressed) {
        top = QColor(34, 26, 14);
        bottom = QColor(78, 58, 26);
        text = QColor(230, 160, 22);
        accent = kAmberDeep;
    }
    SkinDraw::VerticalGradient(p, plate, top, bottom);
    // A faint sheen across the upper half.
    if (state != Pressed)
        p.fillRect(QRect(plate.left(), plate.top(), plate.width(), plate.height() / 2), QColor(255, 255, 255, 14));

    p.setPen(state == Normal ? QColor(18, 18, 20) : QColor(kAmber.red(), kAmber.green(), kAmber.blue(), 170));
    p.drawRect(cell.adjusted(0, 0, -1, -1));
    if (state == Pressed)
        SkinDraw::Bevel(p, plate, QColor(10, 8, 4), QColor(120, 90, 40));
    else
        SkinDraw::Bevel(p, plate, top.lighter(150), bottom.darker(160));

    // Accent bar on the left edge.
    p.fillRect(QRect(plate.left() + 1, plate.top() + 2, 3, plate.height() - 3), accent);

    const int shift = state == Pressed ? 1 : 0;
    const QRectF textRect(14 + shift, shift, kCellWidth - 14 - kChevronRoom, kCellHeight);
    // Long labels shrink a little rather than run into the chevron.
    QFont font = Condensed(kLabelSize, true);
    while (font.pixelSize() > kMinLabelSize && QFontMetrics(font).horizontalAdvance(label) > textRect.width())
        font.setPixelSize(font.pixelSize() - 1);
    SkinDraw::ShadowedText(p, textRect, Qt::AlignLeft | Qt::AlignVCenter, label, font, text);

    // A small chevron on the right invites the click.
    if (state != Normal) {
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath chevron;
        const qreal cx = kCellWidth - 13 + shift, cy = kCellHeight / 2.0 + shift;
        chevron.moveTo(cx - 3, cy - 4.5);
        chevron.lineTo(cx + 2, cy);
        chevron.lineTo(cx - 3, cy + 4.5);
        p.setPen(QPen(text, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(chevron);
    }
    return image;
}

QImage ButtonPainter::MainStrip()
{
    const QStringList labels = MainLabels();
    QImage strip = SkinDraw::Canvas(kCellWidth, kCellHeight * kRowsPerButton * int(labels.size()), kNight);
    QPainter p(&strip);
    int y = 0;
    for (const QString& label : labels)
        for (State state : {Normal, Highlighted, Pressed}) {
            p.drawImage(0, y, Button(label, state));
            y += kCellHeight;
        }
    return strip;
}

QImage ButtonPainter::CaptionButton(Caption kind, char state)
{
    QImage image = SkinDraw::Canvas(kCaptionSize, kCaptionSize, kNight);
    QPainter p(&image);
    const bool hover = state == 'f', pressed = state == 'd';
    const QRect box(0, 0, kCaptionSize, kCaptionSize);

    QColor top(64, 64, 70), bottom(36, 36, 40), glyph(205, 205, 205), border(20, 20, 22);
    if (hover) {
        top = kind == Close ? QColor(196, 70, 40) : QColor(110, 82, 34);
        bottom = kind == Close ? QColor(120, 34, 18) : QColor(60, 44, 18);
        glyph = kind == Close ? QColor(255, 240, 230) : kAmber;
        border = kind == Close ? QColor(240, 120, 80) : kAmber;
    } else if (pressed) {
        top = QColor(24, 22, 20);
        bottom = kind == Close ? QColor(110, 36, 20) : QColor(70, 52, 22);
        glyph = kind == Close ? QColor(255, 200, 180) : QColor(230, 160, 22);
        border = QColor(10, 10, 10);
    }
    SkinDraw::VerticalGradient(p, box.adjusted(1, 1, -1, -1), top, bottom);
    p.setPen(border);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    if (!pressed)
        SkinDraw::Bevel(p, box.adjusted(1, 1, -2, -2), top.lighter(145), bottom.darker(150));

    p.setRenderHint(QPainter::Antialiasing);
    const qreal shift = pressed ? 1 : 0;
    p.setPen(QPen(glyph, 2, Qt::SolidLine, Qt::FlatCap));
    if (kind == Minimise) {
        p.drawLine(QPointF(5.5 + shift, 13 + shift), QPointF(13.5 + shift, 13 + shift));
    } else {
        p.setPen(QPen(glyph, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6 + shift, 6 + shift), QPointF(13 + shift, 13 + shift));
        p.drawLine(QPointF(13 + shift, 6 + shift), QPointF(6 + shift, 13 + shift));
    }
    return image;
}

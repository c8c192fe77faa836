#include "browser/dialogs/ServerCellPainter.h"

#include "browser/list/ServerListRows.h"
#include "browser/list/ServerRow.h"
#include "ui/SkinPalette.h"

#include <QPainter>

namespace {

constexpr int kBarWidth = 3;
constexpr int kBarGap = 1;
constexpr int kBarMargin = 3;
constexpr int kNumberFontPixels = 9;
constexpr int kTextInset = 4;

QColor ToColour(const RgbColour& c)
{
    return QColor(c.r, c.g, c.b);
}

bool PaintGreyedName(QPainter& painter, const QRect& cell, const KSListRow& row, bool selected)
{
    const KSListCell& name = row.cells[kCellName];
    if (name.number != kGreyedName)
        return false;
    painter.setPen(ToColour(selected ? kOldProtocolSelectedText : kOldProtocolText));
    const QRect area = cell.adjusted(kTextInset, 0, -kTextInset, 0);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(name.text, Qt::ElideRight, area.width()));
    return true;
}

} // namespace

void PaintPingBars(QPainter& painter, const QRect& cell, int pingMs, const QString& number, bool selected)
{
    const PingBars bars = PingBarsFor(pingMs, false);
    QRect area = cell.adjusted(kBarMargin, kBarMargin, -kBarMargin, -kBarMargin);
    if (!number.isEmpty()) {
        QFont small = painter.font();
        small.setPixelSize(kNumberFontPixels);
        painter.setFont(small);
        painter.setPen(selected ? SkinPalette::Standard().accent : SkinPalette::Standard().dimText);
        const int width = painter.fontMetrics().horizontalAdvance(number);
        painter.drawText(QRect(area.right() - width, area.top(), width, area.height()),
                         Qt::AlignRight | Qt::AlignVCenter, number);
        area.setRight(area.right() - width - kBarGap);
    }
    if (bars.bars == 0) {
        painter.setPen(selected ? SkinPalette::Standard().accent : SkinPalette::Standard().dimText);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("?"));
        return;
    }
    const QColor on = ToColour(bars.good ? kPingGood : kPingBad);
    const QColor off = QColor(90, 90, 90);
    const int height = area.height();
    for (int i = 0; i < PingBars::kMaxBars; ++i) {
        const int x = area.left() + i * (kBarWidth + kBarGap);
        if (x + kBarWidth > area.right() + 1)
            break;
        const int barHeight = std::max(2, height * (i + 1) / PingBars::kMaxBars);
        painter.fillRect(QRect(x, area.bottom() + 1 - barHeight, kBarWidth, barHeight), i < bars.bars ? on : off);
    }
}

KSListCellPainter ServerCellPainter()
{
    return [](QPainter& painter, const QRect& cell, const KSListRow& row, int column, bool selected) {
        if (row.cells.size() != size_t(kServerListCells))
            return false;
        if (column == kCellName + 1)
            return PaintGreyedName(painter, cell, row, selected);
        if (column != kCellPing + 1)
            return false;
        const KSListCell& ping = row.cells[kCellPing];
        PaintPingBars(painter, cell, int(ping.number), ping.text, selected);
        return true;
    };
}

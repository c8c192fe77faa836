#include "ui/CODControls.h"

#include "ui/SkinPalette.h"

#include <QEnterEvent>
#include <QListView>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <QTabBar>

namespace {
constexpr int kBoxSize = 14;
constexpr int kBoxGap = 7;
} // namespace

CODCheckBox::CODCheckBox(const QString& text, QWidget* parent) : QCheckBox(text, parent)
{
    setFont(SkinFont(12));
    setCursor(Qt::PointingHandCursor);
}

QSize CODCheckBox::sizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(kBoxSize + kBoxGap + metrics.horizontalAdvance(text()) + 4,
                 std::max(kBoxSize + 4, metrics.height() + 4));
}

bool CODCheckBox::hitButton(const QPoint& position) const
{
    return rect().contains(position);
}

void CODCheckBox::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    update();
    QCheckBox::enterEvent(event);
}

void CODCheckBox::leaveEvent(QEvent* event)
{
    m_hovered = false;
    update();
    QCheckBox::leaveEvent(event);
}

void CODCheckBox::paintEvent(QPaintEvent*)
{
    const SkinPalette skin = SkinPalette::Standard();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1.5, (height() - kBoxSize) / 2.0 + 0.5, kBoxSize, kBoxSize);
    const bool active = isEnabled() && (m_hovered || hasFocus());
    QPainterPath shape;
    shape.addRoundedRect(box, 2, 2);
    painter.fillPath(shape, isDown() ? skin.field.darker(130) : skin.field);
    painter.setPen(QPen(active ? skin.accent : skin.border, 1));
    painter.drawPath(shape);
    if (checkState() == Qt::Checked) {
        QPainterPath tick;
        tick.moveTo(box.left() + 3, box.center().y());
        tick.lineTo(box.left() + 6, box.bottom() - 3.5);
        tick.lineTo(box.right() - 3, box.top() + 3.5);
        painter.setPen(QPen(isEnabled() ? skin.accent : skin.dimText, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(tick);
    } else if (checkState() == Qt::PartiallyChecked) {
        painter.fillRect(box.adjusted(4, 4, -4, -4), isEnabled() ? skin.accent : skin.dimText);
    }
    painter.setPen(isEnabled() ? skin.text : skin.dimText);
    painter.setFont(font());
    const QRect textArea(kBoxSize + kBoxGap, 0, width() - kBoxSize - kBoxGap, height());
    painter.drawText(textArea, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextHideMnemonic, text());
}

CODComboBox::CODComboBox(QWidget* parent) : QComboBox(parent)
{
    setFont(SkinFont(12));
    // A plain list view lets the style sheet colour the drop-down.
    setView(new QListView(this));
}

void CODComboBox::paintEvent(QPaintEvent* event)
{
    QComboBox::paintEvent(event);
    // The arrow in the skin's colour, whatever the base style draws.
    const SkinPalette skin = SkinPalette::Standard();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF arrow(width() - 18, 0, 18, height());
    QPainterPath path;
    const QPointF c = arrow.center();
    path.moveTo(c.x() - 4, c.y() - 2);
    path.lineTo(c.x() + 4, c.y() - 2);
    path.lineTo(c.x(), c.y() + 3);
    path.closeSubpath();
    painter.fillPath(path, isEnabled() ? (hasFocus() || underMouse() ? skin.accent : skin.text) : skin.dimText);
}

CODSlider::CODSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setCursor(Qt::PointingHandCursor);
    setMinimumHeight(20);
}

CODTabCtrl::CODTabCtrl(QWidget* parent) : QTabWidget(parent)
{
    // Only the tabs are bold; the pages keep the dialog's font.
    tabBar()->setFont(SkinFont(12, true));
}

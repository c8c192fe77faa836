#include "ui/CODBlendBtn.h"

#include "ui/MenuSound.h"
#include "ui/SkinImages.h"
#include "ui/SkinPalette.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor Mix(const QColor& a, const QColor& b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

CODBlendBtn::CODBlendBtn(const QString& text, QWidget* parent) : QAbstractButton(parent)
{
    setText(text);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    m_fade.setDuration(kFadeMs);
    connect(&m_fade, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_level = value.toReal();
        update();
    });
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (m_clickSound != kNoSound)
            PlayMenuSound(m_clickSound);
    });
}

void CODBlendBtn::SetImages(const QPixmap& normal, const QPixmap& highlighted, const QPixmap& pressed)
{
    m_normal = normal;
    m_highlighted = highlighted.isNull() ? normal : highlighted;
    m_pressed = pressed.isNull() ? m_highlighted : pressed;
    if (!m_normal.isNull())
        setFixedSize(m_normal.deviceIndependentSize().toSize());
    update();
}

bool CODBlendBtn::SetSkinBitmaps(const std::string& normal, const std::string& highlighted, const std::string& pressed)
{
    const QPixmap image = SkinImages::Get(normal);
    if (image.isNull())
        return false;
    SetImages(image, SkinImages::Get(highlighted), SkinImages::Get(pressed));
    return true;
}

bool CODBlendBtn::SetStripCell(const QPixmap& strip, int index, int cellWidth, int cellHeight)
{
    if (strip.isNull() || index < 0 || cellWidth <= 0 || cellHeight <= 0)
        return false;
    const int top = index * 3 * cellHeight;
    if (top + 3 * cellHeight > strip.height() || cellWidth > strip.width())
        return false;
    SetImages(strip.copy(0, top, cellWidth, cellHeight), strip.copy(0, top + cellHeight, cellWidth, cellHeight),
              strip.copy(0, top + 2 * cellHeight, cellWidth, cellHeight));
    return true;
}

void CODBlendBtn::SetSounds(int hoverSound, int clickSound)
{
    m_hoverSound = hoverSound;
    m_clickSound = clickSound;
}

void CODBlendBtn::SetDefault(bool isDefault)
{
    m_default = isDefault;
    update();
}

QSize CODBlendBtn::sizeHint() const
{
    if (!m_normal.isNull())
        return m_normal.deviceIndependentSize().toSize();
    const QFontMetrics metrics(SkinFont(12, true));
    return QSize(std::max(96, metrics.horizontalAdvance(text()) + 28), 26);
}

void CODBlendBtn::FadeTo(qreal level)
{
    m_fade.stop();
    m_fade.setStartValue(m_level);
    m_fade.setEndValue(level);
    m_fade.start();
}

void CODBlendBtn::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    if (isEnabled()) {
        FadeTo(1.0);
        if (m_hoverSound != kNoSound)
            PlayMenuSound(m_hoverSound);
    }
    QAbstractButton::enterEvent(event);
}

void CODBlendBtn::leaveEvent(QEvent* event)
{
    m_hovered = false;
    if (!hasFocus())
        FadeTo(0.0);
    QAbstractButton::leaveEvent(event);
}

void CODBlendBtn::focusInEvent(QFocusEvent* event)
{
    if (isEnabled())
        FadeTo(1.0);
    QAbstractButton::focusInEvent(event);
}

void CODBlendBtn::focusOutEvent(QFocusEvent* event)
{
    if (!m_hovered)
        FadeTo(0.0);
    QAbstractButton::focusOutEvent(event);
}

void CODBlendBtn::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_fade.stop();
        m_level = 0.0;
    }
    QAbstractButton::changeEvent(event);
}

void CODBlendBtn::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_normal.isNull())
        PaintFromImages(painter);
    else
        PaintFromColours(painter);
}

void CODBlendBtn::PaintFromImages(QPainter& painter)
{
    const QRect area = rect();
    if (isDown()) {
        painter.drawPixmap(area, m_pressed);
        return;
    }
    painter.drawPixmap(area, m_normal);
    if (m_level > 0.0) {
        painter.setOpacity(m_level);
        painter.drawPixmap(area, m_highlighted);
        painter.setOpacity(1.0);
    }
    if (!isEnabled()) {
        painter.fillRect(area, QColor(0, 0, 0, 110));
    }
}

void CODBlendBtn::PaintFromColours(QPainter& painter)
{
    const SkinPalette skin = SkinPalette::Standard();
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool down = isDown();
    const qreal level = isEnabled() ? m_level : 0.0;

    QLinearGradient body(area.topLeft(), area.bottomLeft());
    const QColor top = Mix(QColor(92, 92, 92), QColor(70, 56, 30), level);
    const QColor bottom = Mix(QColor(52, 52, 52), QColor(40, 30, 14), level);
    body.setColorAt(0.0, down ? bottom : top);
    body.setColorAt(1.0, down ? top.darker(115) : bottom);
    QPainterPath shape;
    shape.addRoundedRect(area, 3, 3);
    painter.fillPath(shape, body);

    QColor frame = Mix(QColor(20, 20, 20), skin.accent, level);
    if (m_default && isEnabled())
        frame = Mix(skin.accent.darker(150), skin.accent, level);
    painter.setPen(QPen(frame, 1));
    painter.drawPath(shape);
    // A light top edge gives the raised look; pressed buttons lose it.
    if (!down) {
        painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
        painter.drawLine(area.topLeft() + QPointF(3, 1), area.topRight() + QPointF(-3, 1));
    }

    QColor label = isEnabled() ? Mix(skin.text, skin.accent, level) : skin.dimText;
    painter.setPen(label);
    painter.setFont(SkinFont(12, true));
    const QRect textArea = rect().translated(down ? 1 : 0, down ? 1 : 0);
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextHideMnemonic, text());
}

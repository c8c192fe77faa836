#include "config/dialogs/KeyBindingList.h"

#include "config/dialogs/OptionPageParts.h"
#include "config/keys/JoystickSource.h"
#include "config/keys/KeyNameForVirtualKey.h"
#include "ui/MenuSound.h"
#include "ui/SkinPalette.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QWheelEvent>

namespace {

QColor KeyColour(uint32_t rgb)
{
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

} // namespace

KeyBindingList::KeyBindingList(KeyBindingModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setFocusPolicy(Qt::StrongFocus);
    setFont(SkinFont(12));
    m_captureTimer.setInterval(kCaptureTickMs);
    connect(&m_captureTimer, &QTimer::timeout, this, &KeyBindingList::PollJoystick);
    Reload();
}

KeyBindingList::~KeyBindingList() = default;

void KeyBindingList::SetJoystick(std::unique_ptr<JoystickSource> joystick, bool hatEnabled)
{
    m_joystick = std::move(joystick);
    m_hatEnabled = hatEnabled;
}

void KeyBindingList::Reload()
{
    const int rows = int(m_model.Rows().size());
    setMinimumHeight(kHeaderHeight + rows * kRowHeight);
    if (m_row >= rows)
        m_row = rows - 1;
    if (m_row < 0 && rows > 0) {
        m_row = 0;
        while (m_row < rows - 1 && m_model.Rows()[size_t(m_row)].Separator())
            ++m_row;
    }
    update();
}

QSize KeyBindingList::sizeHint() const
{
    return {400, kHeaderHeight + int(m_model.Rows().size()) * kRowHeight};
}

QRect KeyBindingList::CellRect(int row, int column) const
{
    const int rest = std::max(0, width() - kDescriptionWidth);
    const int left = column == 0 ? 0 : kDescriptionWidth + (column - 1) * rest / 2;
    const int cellWidth = column == 0 ? kDescriptionWidth : rest / 2;
    return {left, kHeaderHeight + row * kRowHeight, cellWidth, kRowHeight};
}

void KeyBindingList::Select(int row, int column)
{
    const int rows = int(m_model.Rows().size());
    if (rows == 0)
        return;
    m_row = std::clamp(row, 0, rows - 1);
    m_column = std::clamp(column, 0, 2);
    EnsureVisible();
    update();
    emit SelectionChanged();
}

void KeyBindingList::EnsureVisible()
{
    // Inside a scroll area, keep the selected row in view.
    for (QWidget* up = parentWidget(); up; up = up->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(up)) {
            area->ensureVisible(0, CellRect(m_row, 0).center().y(), 0, kRowHeight);
            return;
        }
}

bool KeyBindingList::StartCapture()
{
    if (m_column == 0)
        m_column = 1;
    if (!m_model.StartCapture(m_row, m_column)) {
        PlayMenuSound(kSoundDeny1);
        return false;
    }
    if (m_joystick)
        m_joystick->Poll();
    m_captureTimer.start();
    grabKeyboard();
    grabMouse();
    update();
    return true;
}

void KeyBindingList::Captured(const std::string& name)
{
    m_captureTimer.stop();
    releaseKeyboard();
    releaseMouse();
    if (m_model.FinishCapture(name))
        emit ModelChanged();
    update();
}

void KeyBindingList::PollJoystick()
{
    if (!m_model.Capturing() || !m_joystick || !m_joystick->Present())
        return;
    const JoystickState before = m_joystick->State();
    m_joystick->Poll();
    const std::string name = JoystickKeyName(before, m_joystick->State(), m_hatEnabled);
    if (!name.empty())
        Captured(name);
}

void KeyBindingList::AssignSelected(const std::string& key)
{
    if (m_model.Assign(m_row, m_column == 0 ? 1 : m_column, key))
        emit ModelChanged();
    update();
}

void KeyBindingList::ClearSelected()
{
    if (m_column != 0 && m_model.Clear(m_row, m_column))
        emit ModelChanged();
    update();
}

bool KeyBindingList::event(QEvent* event)
{
    // In capture, Tab is a key like any other, not a focus change.
    if (event->type() == QEvent::KeyPress && m_model.Capturing()) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::event(event);
}

void KeyBindingList::CaptureKey(QKeyEvent* event)
{
    // Alt with an arrow key stands for the mouse's extra buttons.
    if (event->modifiers() & Qt::AltModifier) {
        if (event->key() == Qt::Key_Left) {
            Captured("MOUSE4");
            return;
        }
        if (event->key() == Qt::Key_Right) {
            Captured("MOUSE5");
            return;
        }
    }
    VirtualKey key = event->nativeScanCode() ? VirtualKeyFromNative(event->nativeScanCode()) : VirtualKey{};
    if (key.code == 0)
        key = VirtualKeyFromQtKey(event->key(), event->modifiers() & Qt::KeypadModifier);
    Captured(CapturedKeyName(key.code, key.extended));
}

void KeyBindingList::keyPressEvent(QKeyEvent* event)
{
    if (m_model.Capturing()) {
        CaptureKey(event);
        return;
    }
    const int page = std::max(1, (parentWidget() ? parentWidget()->height() : height()) / kRowHeight - 1);
    switch (event->key()) {
    case Qt::Key_Up:
        Select(m_row - 1, m_column);
        break;
    case Qt::Key_Down:
        Select(m_row + 1, m_column);
        break;
    case Qt::Key_PageUp:
        Select(m_row - page, m_column);
        break;
    case Qt::Key_PageDown:
        Select(m_row + page, m_column);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        Select(m_row, m_column == 1 ? 2 : 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        StartCapture();
        break;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        ClearSelected();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void KeyBindingList::mousePressEvent(QMouseEvent* event)
{
    if (m_model.Capturing()) {
        switch (event->button()) {
        case Qt::LeftButton:
            Captured(MouseButtonKeyName(1));
            return;
        case Qt::RightButton:
            Captured(MouseButtonKeyName(2));
            return;
        case Qt::MiddleButton:
            Captured(MouseButtonKeyName(3));
            return;
        case Qt::BackButton:
            Captured(MouseButtonKeyName(4));
            return;
        case Qt::ForwardButton:
            Captured(MouseButtonKeyName(5));
            return;
        default:
            return;
        }
    }
    const QPoint at = event->position().toPoint();
    if (at.y() < kHeaderHeight)
        return;
    const int row = (at.y() - kHeaderHeight) / kRowHeight;
    int column = 0;
    for (int c = 0; c < 3; ++c)
        if (CellRect(row, c).contains(at))
            column = c;
    if (row < int(m_model.Rows().size()))
        Select(row, column);
}

void KeyBindingList::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_model.Capturing()) {
        mousePressEvent(event);
        return;
    }
    mousePressEvent(event);
    if (m_column != 0)
        StartCapture();
}

void KeyBindingList::wheelEvent(QWheelEvent* event)
{
    if (!m_model.Capturing()) {
        QWidget::wheelEvent(event);
        return;
    }
    // Only the vertical wheel has key names.
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    Captured(WheelKeyName(delta));
}

void KeyBindingList::paintEvent(QPaintEvent*)
{
    const SkinPalette palette = SkinPalette::Standard();
    QPainter painter(this);
    painter.fillRect(rect(), palette.field);
    painter.setFont(SkinFont(12, true));
    painter.setPen(palette.accent);
    const int headings[] = {86, 87, 88};
    for (int c = 0; c < 3; ++c) {
        QRect cell = CellRect(0, c);
        cell.moveTop(0);
        cell.setHeight(kHeaderHeight);
        painter.fillRect(cell.adjusted(0, 0, -1, -1), palette.background);
        painter.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         MessageText(headings[c]));
    }
    painter.setFont(SkinFont(12));
    const auto& rows = m_model.Rows();
    for (int r = 0; r < int(rows.size()); ++r) {
        const KeyBindingRow& row = rows[size_t(r)];
        if (row.Separator()) {
            painter.setFont(SkinFont(12, true));
            painter.setPen(palette.dimText);
            painter.drawText(CellRect(r, 0).adjusted(4, 0, width(), 0), Qt::AlignVCenter | Qt::AlignLeft,
                             QString::fromStdString(row.description));
            painter.setFont(SkinFont(12));
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            const QRect cell = CellRect(r, c);
            const bool selected = r == m_row && c == m_column;
            const bool capturing = m_model.Capturing() && r == m_model.CaptureRow() && c == m_model.CaptureColumn();
            if (capturing)
                painter.fillRect(cell, palette.accent);
            else if (selected)
                painter.fillRect(cell, palette.border);
            QString text;
            QColor colour = palette.text;
            if (c == 0) {
                text = QString::fromStdString(row.description);
            } else if (capturing) {
                text = QStringLiteral("Press a key...");
                colour = palette.background;
            } else {
                text = QString::fromStdString(row.keys[size_t(c - 1)]);
                colour = KeyColour(row.colours[size_t(c - 1)]);
            }
            painter.setPen(colour);
            painter.drawText(cell.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
        }
    }
}

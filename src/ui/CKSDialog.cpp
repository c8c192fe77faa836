#include "ui/CKSDialog.h"

#include "app/settings/LauncherState.h"
#include "app/text/SkinBitmap.h"
#include "platform/TerminationSignals.h"
#include "ui/CODBlendBtn.h"
#include "ui/IdleWork.h"
#include "ui/ModalIdleLoop.h"
#include "ui/SkinImages.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

CKSDialog::CKSDialog(QWidget* parent, const std::string& backgroundName)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_palette(SkinPalette::Standard())
{
    EnsureSkinStyle();
    m_titleColour = m_palette.accent;
    setWindowTitle(QString::fromStdString(ProductTitle()));
    setModal(true);
    setFont(SkinFont(12));
    setStyleSheet(SkinStyleSheet(m_palette));
    m_content = new QWidget(this);
    m_content->setObjectName(QStringLiteral("content"));
    resize(kDefaultWidth, kDefaultHeight);
    if (!backgroundName.empty())
        SetBackground(backgroundName);
}

int CKSDialog::exec()
{
    ModalIdleLoop::Instance().Enter(this);
    const int result = QDialog::exec();
    ModalIdleLoop::Instance().Leave(this);
    return result;
}

bool CKSDialog::OnIdle()
{
    return IdleWork::RunOnce();
}

void CKSDialog::SetBackground(const std::string& bitmapName)
{
    m_background = SkinImages::Get(bitmapName);
    if (!m_background.isNull())
        setFixedSize(m_background.size());
    update();
}

void CKSDialog::SetLauncherSize()
{
    setFixedSize(Launcher().launcherWidth, Launcher().launcherHeight);
}

void CKSDialog::SetHeader(const std::string& bitmapName)
{
    m_header = SkinImages::Get(bitmapName);
    update();
}

void CKSDialog::SetTitleText(const QString& text)
{
    m_title = text;
    update();
}

void CKSDialog::SetTitleColour(const QColor& colour)
{
    m_titleColour = colour;
    update();
}

void CKSDialog::SetSurfaceColours(const QColor& background, const QColor& text)
{
    m_palette.background = background;
    m_palette.text = text;
    setStyleSheet(SkinStyleSheet(m_palette));
    update();
}

CODBlendBtn* CKSDialog::AddButton(const QString& label, int result)
{
    auto* button = new CODBlendBtn(label, this);
    button->resize(std::max(kButtonWidth, button->sizeHint().width()), kButtonHeight);
    if (result >= 0)
        connect(button, &QAbstractButton::clicked, this, [this, result] { done(result); });
    m_buttons.push_back(button);
    LayoutButtons();
    return button;
}

void CKSDialog::SetButtonsCentred(bool centred)
{
    m_buttonsCentred = centred;
    LayoutButtons();
}

void CKSDialog::SetDefaultButton(CODBlendBtn* button)
{
    if (m_defaultButton)
        m_defaultButton->SetDefault(false);
    m_defaultButton = button;
    if (button)
        button->SetDefault(true);
}

QRect CKSDialog::TitleRect() const
{
    return QRect(0, 0, width(), kTitleBand);
}

QRect CKSDialog::ContentRect() const
{
    return QRect(kSideMargin, kTitleBand + 8, width() - 2 * kSideMargin, height() - kTitleBand - kButtonBand - 16);
}

QRect CKSDialog::ButtonBandRect() const
{
    return QRect(0, height() - kButtonBand, width(), kButtonBand);
}

void CKSDialog::LayoutButtons()
{
    const QRect band = ButtonBandRect();
    int total = 0;
    for (const CODBlendBtn* button : m_buttons)
        total += button->width();
    if (!m_buttons.empty())
        total += kButtonSpacing * int(m_buttons.size() - 1);
    int x = m_buttonsCentred ? (band.width() - total) / 2 : band.right() - kSideMargin - total + 1;
    for (CODBlendBtn* button : m_buttons) {
        button->move(x, band.top() + (band.height() - button->height()) / 2);
        x += button->width() + kButtonSpacing;
    }
}

void CKSDialog::OnEscape()
{
    QDialog::reject();
}

void CKSDialog::reject()
{
    // Escape and the window's close request both come here. When the session ends the
    // launcher, the dialog just closes: no prompt would be answered.
    if (m_inEscape || TerminationSignals::Received()) {
        QDialog::reject();
        return;
    }
    m_inEscape = true;
    OnEscape();
    m_inEscape = false;
}

void CKSDialog::resizeEvent(QResizeEvent* event)
{
    m_content->setGeometry(ContentRect());
    LayoutButtons();
    QDialog::resizeEvent(event);
}

void CKSDialog::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        PlaceOverOwner();
    }
    QDialog::showEvent(event);
}

void CKSDialog::PlaceOverOwner()
{
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (owner && owner->isVisible()) {
        const QRect area = owner->geometry();
        // A dialog laid out from its bitmap stands at a fixed corner of the launcher
        // window; others are centred over their owner.
        const bool fromBitmap = !m_background.isNull() && area.width() >= width() + 2 * kDialogBitmapLeft;
        if (fromBitmap)
            move(area.topLeft() + QPoint(kDialogBitmapLeft, kDialogBitmapTop));
        else
            move(area.topLeft() + QPoint((area.width() - width()) / 2, (area.height() - height()) / 2));
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.topLeft() + QPoint((area.width() - width()) / 2, (area.height() - height()) / 2));
    }
}

void CKSDialog::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        switch (event->key()) {
        case Qt::Key_Escape:
            reject();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (auto* focused = qobject_cast<CODBlendBtn*>(focusWidget()); focused && focused->isEnabled()) {
                focused->click();
                return;
            }
            if (m_defaultButton && m_defaultButton->isEnabled() && m_defaultButton->isVisible()) {
                m_defaultButton->click();
                return;
            }
            event->ignore();
            return;
        default:
            break;
        }
    }
    QDialog::keyPressEvent(event);
}

void CKSDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && TitleRect().contains(event->position().toPoint())) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        event->accept();
        return;
    }
    QDialog::mousePressEvent(event);
}

void CKSDialog::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging) {
        move(event->globalPosition().toPoint() - m_dragOffset);
        event->accept();
        return;
    }
    QDialog::mouseMoveEvent(event);
}

void CKSDialog::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}

void CKSDialog::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_background.isNull())
        PaintPlainSurface(painter);
    else if (m_background.size() == size())
        painter.drawPixmap(0, 0, m_background);
    else
        PaintStretchedBitmap(painter);

    const QRect title = TitleRect();
    if (!m_header.isNull()) {
        const int y = (title.height() - m_header.height()) / 2;
        painter.drawPixmap(QPoint(kSideMargin - 8, std::max(0, y)), m_header);
    } else if (!m_title.isEmpty()) {
        painter.setPen(m_titleColour);
        painter.setFont(SkinFont(15, true));
        painter.drawText(title.adjusted(kSideMargin, 0, -kSideMargin, -4), Qt::AlignVCenter | Qt::AlignLeft, m_title);
    }
}

void CKSDialog::PaintPlainSurface(QPainter& painter)
{
    const QRect area = rect();
    painter.fillRect(area, m_palette.background);
    QLinearGradient titleShade(0, 0, 0, kTitleBand);
    titleShade.setColorAt(0.0, m_palette.background.lighter(125));
    titleShade.setColorAt(1.0, m_palette.background);
    painter.fillRect(TitleRect(), titleShade);
    painter.fillRect(ButtonBandRect(), m_palette.background.darker(118));
    painter.setPen(QPen(m_palette.accent.darker(140), 1));
    painter.drawLine(kSideMargin - 8, kTitleBand - 2, width() - kSideMargin + 7, kTitleBand - 2);
    painter.setPen(QPen(m_palette.background.lighter(140), 1));
    painter.drawLine(1, height() - kButtonBand, width() - 2, height() - kButtonBand);
    painter.setPen(QPen(QColor(18, 18, 18), 1));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(m_palette.background.lighter(150), 1));
    painter.drawRect(area.adjusted(1, 1, -2, -2));
}

void CKSDialog::PaintStretchedBitmap(QPainter& painter)
{
    // Nine parts: corners as they are, edges stretched along, the middle both ways.
    const QPixmap& bitmap = m_background;
    const int sw = bitmap.width();
    const int sh = bitmap.height();
    const int left = std::min(kBandSlice, sw / 3);
    const int right = left;
    const int top = std::min(kTitleBand, sh / 3);
    const int bottom = std::min(kButtonBand, sh / 3);
    const int dw = width();
    const int dh = height();
    const int xs[4] = {0, left, sw - right, sw};
    const int ys[4] = {0, top, sh - bottom, sh};
    const int xd[4] = {0, left, dw - right, dw};
    const int yd[4] = {0, top, dh - bottom, dh};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRect source(xs[column], ys[row], xs[column + 1] - xs[column], ys[row + 1] - ys[row]);
            const QRect target(xd[column], yd[row], xd[column + 1] - xd[column], yd[row + 1] - yd[row]);
            if (source.isEmpty() || target.isEmpty())
                continue;
            painter.drawPixmap(target, bitmap, source);
        }
    }
}

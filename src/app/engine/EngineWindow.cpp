#include "app/engine/EngineWindow.h"

#include "app/engine/EngineDisplay.h"
#include "app/engine/EngineHost.h"
#include "app/engine/EngineKeys.h"
#include "app/settings/ActiveCustomGame.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

EngineWindow::EngineWindow(EngineHost& host, QWidget* parent) : QWidget(parent, Qt::Window), m_host(host)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setWindowTitle(TitleText());
}

QString EngineWindow::TitleText()
{
    const ActiveCustomGameInfo* game = ActiveCustomGame();
    if (!game)
        return QStringLiteral("Kestrel");
    std::string title = game->game;
    while (!title.empty() && title.back() == ' ')
        title.pop_back();
    return title.empty() ? QStringLiteral("Kestrel") : QString::fromStdString(title);
}

int EngineWindow::ButtonMask(Qt::MouseButtons buttons) const
{
    int mask = 0;
    if (buttons & Qt::LeftButton)
        mask |= 1;
    if (buttons & Qt::RightButton)
        mask |= 2;
    if (buttons & Qt::MiddleButton)
        mask |= 4;
    return mask;
}

bool EngineWindow::HandleKey(QEvent* event, bool down)
{
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat() && !down)
        return true;
    // Alt+Tab and Alt+Escape leave a full-screen engine.
    if (!down && (key->modifiers() & Qt::AltModifier) && !m_host.Display().Windowed() &&
        (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Escape)) {
        showMinimized();
        return true;
    }
    const ScanCode scan = ScanCodeFromNative(key->nativeScanCode());
    m_host.KeyEvent(scan.code, scan.extended, down);
    return true;
}

bool EngineWindow::event(QEvent* event)
{
    m_host.OfferWindowMessage(static_cast<QWidget*>(this), event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return HandleKey(event, true);
    case QEvent::KeyRelease:
        return HandleKey(event, false);
    case QEvent::Wheel:
        if (const int delta = static_cast<QWheelEvent*>(event)->angleDelta().y())
            m_host.WheelEvent(delta);
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        m_host.MouseButtons(ButtonMask(static_cast<QMouseEvent*>(event)->buttons()));
        return true;
    case QEvent::Close:
        // The window stays open; the engine asks the player whether to quit.
        event->ignore();
        m_host.WindowCloseRequested();
        return true;
    case QEvent::Paint:
        // The engine draws; the launcher draws nothing.
        return true;
    default:
        return QWidget::event(event);
    }
}

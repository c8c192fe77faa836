#include "app/engine/QtEngineDisplay.h"

#include "app/engine/EngineHost.h"
#include "app/engine/EngineWindow.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

// Raising a window is a request to the window system; the offscreen platform used by
// tests has none and complains on every call.
void Raise(QWidget& window)
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        window.raise();
}

} // namespace

QtEngineDisplay::QtEngineDisplay() = default;
QtEngineDisplay::~QtEngineDisplay() = default;

void QtEngineDisplay::SetModeSize(int width, int height)
{
    m_modeWidth = width;
    m_modeHeight = height;
}

void QtEngineDisplay::CreateEngineWindow()
{
    if (m_window || !m_host)
        return;
    m_window = std::make_unique<EngineWindow>(*m_host);
    m_window->setWindowTitle(EngineWindow::TitleText());
}

void QtEngineDisplay::DestroyEngineWindow()
{
    m_window.reset();
}

bool QtEngineDisplay::SetUpEngineWindow()
{
    CreateEngineWindow();
    if (!m_window)
        return false;
    if (m_windowed) {
        m_window->setWindowFlag(Qt::FramelessWindowHint, false);
        m_window->resize(m_modeWidth, m_modeHeight);
    } else {
        m_window->setWindowFlag(Qt::FramelessWindowHint, true);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            m_window->setGeometry(screen->geometry());
    }
    return true;
}

void* QtEngineDisplay::EngineWindowHandle()
{
    return static_cast<QWidget*>(m_window.get());
}

bool QtEngineDisplay::EngineWindowVisible()
{
    return m_window && m_window->isVisible();
}

void QtEngineDisplay::HideEngineWindow()
{
    if (m_window)
        m_window->hide();
}

void QtEngineDisplay::GiveEngineScreen()
{
    if (!m_window)
        return;
    m_window->show();
    Raise(*m_window);
    m_window->activateWindow();
    m_window->setFocus();
    if (m_menu)
        m_menu->hide();
}

void QtEngineDisplay::TakeScreenBack()
{
    if (m_menu) {
        m_menu->show();
        Raise(*m_menu);
        m_menu->activateWindow();
    }
    if (m_window) {
        m_window->releaseMouse();
        m_window->hide();
    }
}

bool QtEngineDisplay::LauncherActive()
{
    // With no window system focus information (offscreen tests), count as active.
    return QGuiApplication::applicationState() == Qt::ApplicationActive ||
           QGuiApplication::platformName() == "offscreen";
}

void QtEngineDisplay::MinimiseLauncher()
{
    if (m_menu)
        m_menu->showMinimized();
}

void QtEngineDisplay::RecreateEngineWindow()
{
    const bool existed = m_window != nullptr;
    m_window.reset();
    if (existed)
        CreateEngineWindow();
}

#include "ui/IntroWindow.h"

#include "app/settings/LauncherState.h"
#include "ui/InputFlush.h"
#include "ui/IntroDisplay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>

IntroWindow::IntroWindow(std::function<void()> showMenu)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), m_showMenu(std::move(showMenu))
{
    setWindowTitle(QString::fromStdString(ProductTitle()));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(Launcher().launcherWidth, Launcher().launcherHeight);
    setCursor(Qt::BlankCursor);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

bool IntroWindow::Windowed()
{
    IntroDisplay* display = TheIntroDisplay();
    return !display || display->Windowed();
}

void IntroWindow::ReleaseDisplay()
{
    if (IntroDisplay* display = TheIntroDisplay())
        display->Release();
}

bool IntroWindow::InitialiseDisplay()
{
    IntroDisplay* display = TheIntroDisplay();
    return !display || display->Initialise();
}

void IntroWindow::SetLauncherMode()
{
    if (IntroDisplay* display = TheIntroDisplay())
        display->SetLauncherMode();
}

void IntroWindow::PaintBlack()
{
    repaint();
}

void IntroWindow::ShowMainMenu()
{
    if (m_showMenu)
        m_showMenu();
}

void IntroWindow::Wait(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, milliseconds);
        QThread::msleep(5);
    }
}

void IntroWindow::FlushInput()
{
    FlushPendingInput();
}

void IntroWindow::CloseVideoWindow()
{
    close();
    update();
}

void IntroWindow::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::black);
}

bool CanPlayIntroOn(const QString& platformName)
{
    return platformName != QLatin1String("offscreen") && platformName != QLatin1String("minimal");
}

bool CanPlayIntro()
{
    return CanPlayIntroOn(QGuiApplication::platformName());
}

void RunIntro(VideoPlayer& player, std::function<void()> showMenu)
{
    IntroWindow window(std::move(showMenu));
    window.show();
    window.raise();
    window.activateWindow();
    PlayIntroVideos(window, player);
}

// kestrel-screenshots WORLD OUTDIR [NAME...]: opens each dialog of the launcher on a
// game tree (the demo world) and saves a PNG of it, placed as the launcher would
// show it over its 640 x 480 window. Runs on any Qt platform; offscreen is enough.
// kestrel-screenshots WORLD --intro plays the intro videos of the world instead
// (with a display and sound), for checking the media layer by eye.
#include "Shot.h"

#include "app/files/SearchPath.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/ButtonStrip.h"
#include "app/text/ColourList.h"
#include "app/text/SkinBitmap.h"
#include "app/text/StringList.h"
#include "app/video/LauncherIntroDisplay.h"
#include "ui/CKSDialog.h"
#include "ui/IntroWindow.h"
#include "ui/QtVideoPlayer.h"
#include "ui/SkinImages.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QThread>
#include <cstdio>

namespace {

constexpr int kLauncherWidth = 640;
constexpr int kLauncherHeight = 480;

void Settle()
{
    // Let layouts, animations and deferred paints finish.
    for (int i = 0; i < 8; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(25);
    }
}

QPixmap Photograph(QWidget& widget, bool overSplash)
{
    widget.show();
    Settle();
    const QPixmap grab = widget.grab();
    if (!overSplash)
        return grab;

    const qreal ratio = grab.devicePixelRatio();
    QPixmap canvas(QSize(kLauncherWidth, kLauncherHeight) * ratio);
    canvas.setDevicePixelRatio(ratio);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap splash = SkinImages::Get(kSplashBitmapName);
    if (!splash.isNull())
        painter.drawPixmap(QRect(0, 0, kLauncherWidth, kLauncherHeight), splash);
    painter.fillRect(QRect(0, 0, kLauncherWidth, kLauncherHeight), QColor(0, 0, 0, 150));
    const QSize size = widget.size();
    QPoint at((kLauncherWidth - size.width()) / 2, (kLauncherHeight - size.height()) / 2);
    if (size == QSize(kLauncherWidth - 2 * kDialogBitmapLeft, kLauncherHeight - 2 * kDialogBitmapTop))
        at = QPoint(kDialogBitmapLeft, kDialogBitmapTop);
    painter.drawPixmap(at, grab);
    return canvas;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: kestrel-screenshots WORLD OUTDIR [NAME...] | WORLD --intro\n");
        return 2;
    }
    Launcher().baseDirectory = QDir(arguments[1]).absolutePath().toStdString();
    EffectiveCommandLine() = CommandLine("kestrel -game vrel");
    ResetSearchPath();
    LoadStringList();
    LoadColourList();
    if (arguments[2] == "--intro") {
        QtVideoPlayer player;
        InstallIntroDisplay();
        RunIntro(player, [] { std::printf("intro over: the main menu would show now\n"); });
        return 0;
    }
    const QString outDir = arguments[2];
    QDir().mkpath(outDir);
    const QStringList wanted = arguments.mid(3);

    std::vector<Shot> shots;
    AddUiShots(shots);
    AddMenuShots(shots);
    AddConfigShots(shots);
    AddBrowserShots(shots);
    AddBrowserListShots(shots);
    AddFirstStartShots(shots);
    AddModShots(shots);
    AddServerShots(shots);
    AddProfileShots(shots);
    AddChatShots(shots);
    int failures = 0;
    for (const Shot& shot : shots) {
        const QString name = QString::fromStdString(shot.name);
        if (!wanted.isEmpty() && !wanted.contains(name))
            continue;
        std::unique_ptr<QWidget> widget = shot.create();
        const QPixmap picture = Photograph(*widget, shot.overSplash);
        const QString path = outDir + "/" + name + ".png";
        if (!picture.save(path, "PNG")) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(path));
            ++failures;
            continue;
        }
        std::printf("%s\n", qPrintable(path));
        widget->close();
    }
    return failures ? 1 : 0;
}

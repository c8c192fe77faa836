// kestrel-icons OUTDIR NAME: draws the application icon into the hicolor theme layout,
// OUTDIR/hicolor/<size>x<size>/apps/NAME.png for every size of AppIconPainter.
#include "icons/AppIconPainter.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: kestrel-icons OUTDIR NAME\n");
        return 2;
    }
    for (const int size : AppIconPainter::kSizes) {
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(arguments[1]).arg(size);
        const QString path = folder + '/' + arguments[2] + ".png";
        QSaveFile file(path);
        if (!QDir().mkpath(folder) || !file.open(QIODevice::WriteOnly) ||
            !AppIconPainter::Paint(size).save(&file, "PNG") || !file.commit()) {
            std::fprintf(stderr, "kestrel-icons: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}

// kestrel-demo: writes the demo game tree into a folder.
//   kestrel-demo DIR
//   kestrel-demo --contact-sheet OUT.png DIR   (one picture of every bitmap in DIR)
#include "demo/ContactSheet.h"
#include "demo/DemoWorld.h"

#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>

#include <cstdio>
#include <cstdlib>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: kestrel-demo DIR\n"
                         "       kestrel-demo --contact-sheet OUT.png DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // Only images are drawn; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);

    if (args.size() == 3 && args[0] == "--contact-sheet") {
        const QImage sheet = ContactSheet::Build(args[2]);
        if (sheet.isNull()) {
            std::fprintf(stderr, "kestrel-demo: no bitmaps in %s\n", qPrintable(args[2]));
            return 1;
        }
        QSaveFile file(args[1]);
        if (!file.open(QIODevice::WriteOnly) || !sheet.save(&file, "PNG") || !file.commit()) {
            std::fprintf(stderr, "kestrel-demo: cannot write %s\n", qPrintable(args[1]));
            return 1;
        }
        return 0;
    }
    if (args.size() != 1 || args[0].startsWith('-'))
        return Usage();

    QString error;
    if (!DemoWorld::Write(args[0], &error)) {
        std::fprintf(stderr, "kestrel-demo: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("Demo world written to %s\n", qPrintable(args[0]));
    return 0;
}

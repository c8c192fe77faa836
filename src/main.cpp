// Kestrel: the launcher a player starts instead of the game.
#include "app/CNetGameApp.h"
#include "app/LauncherStartupSteps.h"
#include "platform/TerminationSignals.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);

    TerminationSignals termination;
    // A termination request closes every window (so the menu and its dialogs end as if
    // the player closed them) and leaves every running event loop.
    QObject::connect(&termination, &TerminationSignals::Requested, &application, [] {
        QApplication::closeAllWindows();
        QCoreApplication::exit(0);
    });

    // The whole command line as one text, program name included.
    std::string commandLine;
    for (int i = 0; i < argc; ++i) {
        if (i)
            commandLine += ' ';
        commandLine += argv[i];
    }

    // The game tree lies beside the program unless KESTREL_HOME names another folder.
    const std::string programDirectory = QCoreApplication::applicationDirPath().toStdString();
    const QByteArray home = qgetenv("KESTREL_HOME");
    const std::string baseDirectory =
        home.isEmpty() ? programDirectory : QDir(QString::fromLocal8Bit(home)).absolutePath().toStdString();

    LauncherStartupSteps steps;
    CNetGameApp app(steps, commandLine, programDirectory, baseDirectory);
    return app.Run();
}

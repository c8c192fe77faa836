// Kestrel: the launcher a player starts instead of the game.
#include "app/CNetGameApp.h"
#include "app/LauncherStartupSteps.h"
#include "app/dialogs/FirstStartDlg.h"
#include "app/settings/GameTreeChoice.h"
#include "app/settings/LauncherHelp.h"
#include "platform/TerminationSignals.h"
#include "ui/FirstPaintProbe.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (LauncherHelpAsked(argc, argv)) {
        std::fputs(LauncherHelpText().c_str(), stdout);
        return 0;
    }
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

    // The game tree: KESTREL_HOME, the folder chosen before, the program's folder, or
    // at first start the player's choice of a folder or the demo world.
    const QString programDirectory = QCoreApplication::applicationDirPath();
    const GameTreeChoice choice(qEnvironmentVariable(GameTreeChoice::kHomeVariable), programDirectory);
    QString baseDirectory = choice.Decide().folder;
    if (baseDirectory.isEmpty())
        baseDirectory = FirstStartDlg::Ask(choice);
    if (baseDirectory.isEmpty())
        return 0;
    const std::unique_ptr<FirstPaintProbe> probe = FirstPaintProbe::InstallIfAsked();

    LauncherStartupSteps steps;
    CNetGameApp app(steps, commandLine, programDirectory.toStdString(), baseDirectory.toStdString());
    return app.Run();
}

// The main menu's Internet games and LAN games choices open their dialogs.
#include "browser/dialogs/BrowserMenuActions.h"
#include "NetDialogSkin.h"
#include "app/dialogs/CKSMainDlg.h"
#include "app/engine/EngineHost.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/ServiceAddressList.h"
#include "browser/dialogs/CLan.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/master/ServerDataExchange.h"
#include "menu/MenuTestSkin.h"
#include "support/LauncherEngine.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class BrowserMenuActions : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallMenuTestSkin();
        InstallNetDialogSkin();
        UseLauncherEngine();
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        ServerDataExchange::SetServerDataNeeded(false);
        BrowserMenuSetup setup;
        setup.internet.listPath = files.Abs("favsvrs.dat");
        setup.internet.services = &services;
        setup.internet.resolveServices = false;
        setup.lan.lanTarget = QHostAddress(QHostAddress::LocalHost);
        InstallBrowserMenuActions(setup);
    }
    void TearDown() override
    {
        // The menu made the engine window; it goes with the menu as in the program.
        StopEngine();
        TheEngineDisplay().DestroyEngineWindow();
        ServerDataExchange::SetServerDataNeeded(true);
        EffectiveCommandLine() = CommandLine();
    }

    // Closes the next modal dialog of type T, noting that it opened.
    template <class T> void CloseWhenOpen(bool& opened)
    {
        auto* poll = new QTimer(qApp);
        poll->setInterval(10);
        QObject::connect(poll, &QTimer::timeout, [poll, &opened] {
            if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
                poll->stop();
                poll->deleteLater();
                opened = true;
                dialog->done(QDialog::Rejected);
            }
        });
        poll->start();
    }

    ScopedSettingsFolder settings;
    TempTree files;
    RecordingPrompt prompt;
    ServiceAddressList services;
};

TEST_F(BrowserMenuActions, InternetGamesChoiceOpensTheGamesList)
{
    CKSMainDlg menu;
    bool opened = false;
    CloseWhenOpen<CNetGameDlg>(opened);
    menu.Choose(kMenuInternetGames);
    EXPECT_TRUE(opened);
    EXPECT_TRUE(files.Exists("favsvrs.dat")); // closing wrote the list
}

TEST_F(BrowserMenuActions, LanGamesChoiceOpensTheLanList)
{
    CKSMainDlg menu;
    bool opened = false;
    CloseWhenOpen<CLan>(opened);
    menu.Choose(kMenuLanGames);
    EXPECT_TRUE(opened);
}

} // namespace

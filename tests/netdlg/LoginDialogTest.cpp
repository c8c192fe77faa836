// The server-data dialog that runs before the Internet games list first opens.
#include "NetDialogSkin.h"
#include "app/text/ServiceAddressList.h"
#include "browser/dialogs/CLoginDlg.h"
#include "browser/list/CNetGameDoc.h"
#include "peer/PeerMasterServer.h"
#include "support/TempTree.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class LoginDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallNetDialogSkin();
        MasterServerConfig config;
        config.port = 0;
        master = std::make_unique<PeerMasterServer>(config);
        ASSERT_TRUE(master->Start());
        services.Parse(("Master { 127.0.0.1:" + std::to_string(master->Port()) + " }").c_str(), "test.lst");
        setup.listPath = files.Abs("favsvrs.dat");
        setup.services = &services;
        setup.resolveServices = false;
        // Without a list file the list does not ask the masters for servers on its own,
        // so the master sees only the server-data exchange.
        setup.useListFile = false;
        ServerDataExchange::SetServerDataNeeded(true);
    }
    void TearDown() override { ServerDataExchange::SetServerDataNeeded(true); }

    ScopedSettingsFolder settings;
    TempTree files;
    ServiceAddressList services;
    CNetGameDoc::Setup setup;
    std::unique_ptr<PeerMasterServer> master;
};

TEST_F(LoginDialog, ExchangeWithTheMasterLetsTheListOpenAndIsNotRepeated)
{
    CNetGameDoc doc(CNetGameDoc::Kind::Internet, setup);
    EXPECT_TRUE(CLoginDlg::RunIfNeeded(doc, services, nullptr));
    EXPECT_EQ(master->RequestsReceived(), 1);
    EXPECT_FALSE(ServerDataExchange::ServerDataNeeded());
    EXPECT_TRUE(CLoginDlg::RunIfNeeded(doc, services, nullptr));
    EXPECT_EQ(master->RequestsReceived(), 1);
}

TEST_F(LoginDialog, CancelStopsTheOpening)
{
    master->Config().silent = true;
    CNetGameDoc doc(CNetGameDoc::Kind::Internet, setup);
    QString shown;
    QTimer::singleShot(300, [&] {
        if (auto* dialog = qobject_cast<CLoginDlg*>(QApplication::activeModalWidget())) {
            shown = dialog->StatusLine()->text();
            dialog->done(QDialog::Rejected);
        }
    });
    EXPECT_FALSE(CLoginDlg::RunIfNeeded(doc, services, nullptr));
    EXPECT_TRUE(shown.contains(QStringLiteral("127.0.0.1")));
    EXPECT_TRUE(ServerDataExchange::ServerDataNeeded());
}

} // namespace

// Records of the Internet list never disappear under a nested loop: a master exchange
// whose last batch arrives while the refresh dialog or the Delete prompt is open
// replaces the list only once the player is back at the games dialog, and the refresh
// it asks for then opens on its own, never inside another.
#include "FakeGameServer.h"
#include "FakeMaster.h"
#include "NetDialogSkin.h"
#include "app/settings/CommandLine.h"
#include "app/text/Prompt.h"
#include "app/text/ServiceAddressList.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/dialogs/CRefreshDlg.h"
#include "browser/list/ServerListView.h"
#include "browser/master/MasterProtocol.h"
#include "support/TempTree.h"
#include "ui/CKSPromptDlg.h"
#include "ui/CODBlendBtn.h"
#include "ui/IdleWork.h"
#include "ui/ModalIdleLoop.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

class NestedLoopSafety : public ::testing::Test
{
protected:
    static constexpr int32_t kNextKey = 1;

    void SetUp() override
    {
        InstallNetDialogSkin();
        // The game servers answer a third of a second late, so a refresh lasts that long.
        EffectiveCommandLine() = CommandLine("kestrel -game vrel");
        for (FakeGameServer* server : {&a, &b, &c}) {
            server->infoReplies = {ReplyBuilder::Info("\\hostname\\Peer\\gamedir\\vrel\\max\\8").Bytes()};
            server->delayMs = 300;
        }
        services.AppendAddress(ServiceAddressList::Section::Master, "127.0.0.1", master.Port());
        setup.listPath = files.Abs("favsvrs.dat");
        setup.services = &services;
        setup.resolveServices = false;
        // The first batch lists server a twice and asks for more; the last batch is
        // held back until the test sends it.
        master.answer = [this](const std::vector<uint8_t>& request) {
            std::vector<std::vector<uint8_t>> replies;
            const auto query = ParseMasterListRequest(request.data(), request.size());
            if (query && query->key == 0)
                replies.push_back(BuildMasterListBatch(kNextKey, {Entry(a), Entry(a), Entry(b)}));
            return replies;
        };
    }

    void TearDown() override { EffectiveCommandLine() = CommandLine(); }

    static MasterEntry Entry(const FakeGameServer& server) { return MasterEntry{"127.0.0.1", server.Port()}; }
    void SendLastBatch() { master.SendToLastClient(BuildMasterListBatch(0, {Entry(c)})); }

    static bool Listed(const CNetGameDoc& doc, const FakeGameServer& server)
    {
        for (const CServerInfo* r = doc.Head(); r; r = r->next)
            if (r->port == server.Port())
                return true;
        return false;
    }

    static bool RunUntil(const std::function<bool()>& done, int timeoutMs = 10000)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            IdleWork::RunOnce();
            if (done())
                return true;
        }
        return false;
    }

    struct RefreshWatch
    {
        size_t refreshed = 0;       // records when the refresh dialog opened
        bool lastBatchRead = false; // while it was open
        bool recordLost = false;    // one of them went away while it was open
    };

    // "Refresh" before the last batch is in: the batch arrives while the refresh dialog
    // runs, and the records it steps are watched until it closes.
    RefreshWatch RefreshWhileTheLastBatchArrives(CNetGameDlg& dialog)
    {
        CNetGameDoc& doc = dialog.Doc();
        RefreshWatch result;
        std::vector<uint32_t> serials;
        bool open = true;
        QTimer watch;
        watch.setInterval(5);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (!open || !qobject_cast<CRefreshDlg*>(QApplication::activeModalWidget()))
                return;
            if (serials.empty()) {
                for (const CServerInfo* r = doc.Head(); r; r = r->next)
                    serials.push_back(r->Serial());
                SendLastBatch();
            }
            result.lastBatchRead = result.lastBatchRead || Listed(doc, c);
            for (const uint32_t serial : serials)
                result.recordLost = result.recordLost || !ServerListView::FindRecord(doc.Head(), serial);
        });
        watch.start();
        dialog.RefreshAll();
        open = false;
        result.refreshed = serials.size();
        return result;
    }

    // The list has the first batch: a twice and b, and the exchange waits for more.
    void UpdateUntilTheFirstBatch(CNetGameDlg& dialog)
    {
        dialog.UpdateList();
        ASSERT_TRUE(RunUntil([&] { return dialog.Doc().Count() == 3; })) << dialog.Doc().Count();
        ASSERT_TRUE(dialog.Doc().MasterExchangeInProgress());
    }

    // Until the exchange has ended and the refresh it asks for is over.
    static void FinishExchangeAndRefresh(CNetGameDoc& doc)
    {
        ASSERT_TRUE(RunUntil([&] { return !doc.MasterExchangeInProgress() && !doc.RefreshRunning(); }));
    }

    ScopedSettingsFolder settings;
    TempTree files;
    FakeGameServer a, b, c;
    FakeMaster master;
    ServiceAddressList services;
    CNetGameDoc::Setup setup;
};

TEST_F(NestedLoopSafety, MasterListEndingDuringARefreshWaitsUntilTheRefreshIsOver)
{
    // With "-nopersist" the dialog asks the master as it opens; the player refreshes
    // before the last batch is in.
    EffectiveCommandLine() = CommandLine("kestrel -game vrel -nopersist");
    CNetGameDlg dialog(nullptr, setup);
    dialog.show();
    CNetGameDoc& doc = dialog.Doc();
    ASSERT_TRUE(RunUntil([&] { return doc.Count() == 3; })) << doc.Count();
    ASSERT_TRUE(doc.MasterExchangeInProgress());

    const RefreshWatch watch = RefreshWhileTheLastBatchArrives(dialog);
    ASSERT_EQ(watch.refreshed, 3u);
    ASSERT_TRUE(watch.lastBatchRead);
    // Nothing the refresh was stepping went away under it.
    EXPECT_FALSE(watch.recordLost);
    EXPECT_TRUE(doc.MasterExchangeInProgress());
    for (const CServerInfo* r = doc.Head(); r; r = r->next) {
        if (r->port != c.Port()) {
            EXPECT_EQ(r->status, CServerInfo::Done) << r->port;
        }
    }

    // Back at the dialog the duplicate goes.
    ASSERT_TRUE(RunUntil([&] { return !doc.MasterExchangeInProgress(); }));
    EXPECT_EQ(doc.Count(), 3);
    EXPECT_TRUE(Listed(doc, a));
    EXPECT_TRUE(Listed(doc, c));
}

TEST_F(NestedLoopSafety, RefreshAfterTheUpdateOpensOnlyOnceTheRefreshInProgressIsOver)
{
    CNetGameDlg dialog(nullptr, setup);
    dialog.show();
    CNetGameDoc& doc = dialog.Doc();
    UpdateUntilTheFirstBatch(dialog);

    size_t deepest = 0;
    QTimer depth;
    depth.setInterval(5);
    QObject::connect(&depth, &QTimer::timeout, [&] { deepest = std::max(deepest, ModalIdleLoop::Instance().Depth()); });
    depth.start();
    const RefreshWatch watch = RefreshWhileTheLastBatchArrives(dialog);
    ASSERT_TRUE(watch.lastBatchRead);
    EXPECT_FALSE(watch.recordLost);
    EXPECT_TRUE(doc.MasterExchangeInProgress());

    // Back at the dialog the duplicate goes, and the refresh the update asked for runs
    // in a refresh dialog of its own.
    FinishExchangeAndRefresh(doc);
    depth.stop();
    EXPECT_EQ(deepest, 1u);
    EXPECT_EQ(doc.Count(), 3);
    EXPECT_EQ(b.infoRequests, 2); // once by each refresh
    EXPECT_EQ(a.infoRequests, 3); // both copies, then the one kept
}

TEST_F(NestedLoopSafety, MasterListEndingUnderTheDeletePromptWaitsForTheAnswer)
{
    SkinnedPrompt skinned;
    SetPrompt(&skinned);
    CNetGameDlg dialog(nullptr, setup);
    dialog.show();
    CNetGameDoc& doc = dialog.Doc();
    UpdateUntilTheFirstBatch(dialog);

    // The player deletes the older copy of a: the one the duplicate removal destroys.
    dialog.FillList();
    CServerInfo* older = nullptr;
    for (CServerInfo* r = doc.Head(); r; r = r->next)
        if (r->port == a.Port() && (!older || r->Serial() < older->Serial()))
            older = r;
    ASSERT_NE(older, nullptr);
    dialog.SelectRecords({older});

    // The last batch arrives while the prompt asks; the prompt is answered after its
    // idle processing has run twice since.
    bool sent = false;
    bool endedUnderPrompt = false;
    int idleAfterLastBatch = 0;
    const IdleWorkRegistration counter([&] {
        if (sent && Listed(doc, c))
            ++idleAfterLastBatch;
        return false;
    });
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        auto* prompt = qobject_cast<CKSPromptDlg*>(QApplication::activeModalWidget());
        if (!prompt)
            return;
        if (!sent) {
            SendLastBatch();
            sent = true;
        }
        endedUnderPrompt = endedUnderPrompt || !doc.MasterExchangeInProgress();
        if (idleAfterLastBatch >= 2)
            prompt->FirstButton()->click();
    });
    watch.start();
    dialog.Delete();
    watch.stop();
    SetPrompt(nullptr);
    ASSERT_TRUE(sent);
    EXPECT_GE(idleAfterLastBatch, 2);
    EXPECT_FALSE(endedUnderPrompt);
    // The chosen record was deleted, the other copy of a stays.
    EXPECT_TRUE(Listed(doc, a));
    EXPECT_EQ(doc.Count(), 3); // a, b and the c of the last batch
    // Then the exchange ends and the refresh the update asked for runs over them.
    FinishExchangeAndRefresh(doc);
    EXPECT_EQ(doc.Count(), 3);
    for (const CServerInfo* r = doc.Head(); r; r = r->next)
        EXPECT_EQ(r->status, CServerInfo::Done) << r->port;
    for (const FakeGameServer* server : {&a, &b, &c})
        EXPECT_EQ(server->infoRequests, 1);
}

} // namespace

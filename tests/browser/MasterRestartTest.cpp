// A master exchange started while another still runs (the list opened without saved
// servers asks at once, and the player presses "Update list" or the spectator list
// asks with its own filter): the list ends with what the new exchange brought only.
#include "FakeMaster.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/ServiceAddressList.h"
#include "browser/list/CNetGameDoc.h"
#include "browser/master/MasterProtocol.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

bool Holds(const std::vector<uint8_t>& bytes, const std::string& text)
{
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

// Runs the event loop (not the document's work) until done() or the time is up.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 5000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

TEST(MasterRestart, LateBatchesOfTheReplacedExchangeAreNotMerged)
{
    ScopedSettingsFolder settings;
    TempTree tree;
    const CommandLine saved = EffectiveCommandLine();
    EffectiveCommandLine() = CommandLine("kestrel -game vrel");
    FakeMaster master;
    // Each exchange gets one final batch of its own server.
    master.answer = [](const std::vector<uint8_t>& request) {
        const int port = Holds(request, "first") ? 5101 : 5201;
        return std::vector<std::vector<uint8_t>>{BuildMasterListBatch(0, {{"127.0.0.1", port}})};
    };
    ServiceAddressList services;
    services.AppendAddress(ServiceAddressList::Section::Master, "127.0.0.1", master.Port());
    CNetGameDoc::Setup setup;
    setup.listPath = tree.Abs("favsvrs.dat");
    setup.services = &services;
    setup.resolveServices = false;
    setup.useListFile = false;
    CNetGameDoc doc(CNetGameDoc::Kind::Internet, setup);

    // Both requests leave before the master answers either.
    doc.StartMasterListWithText("\\map\\first");
    doc.StartMasterListWithText("\\map\\second");
    ASSERT_TRUE(PumpUntil([&] {
        return master.requests.size() == 2 && doc.MasterRequest() && doc.MasterRequest()->Socket() &&
               doc.MasterRequest()->Socket()->Done();
    }));
    // Whatever else is waiting (the first exchange's batch) is delivered too.
    for (int i = 0; i < 10; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    QElapsedTimer timer;
    timer.start();
    while (doc.MasterExchangeInProgress() && timer.elapsed() < 5000) {
        doc.Work();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    ASSERT_FALSE(doc.MasterExchangeInProgress());
    ASSERT_EQ(doc.Count(), 1);
    EXPECT_EQ(doc.Head()->port, 5201);
    doc.Work();
    EffectiveCommandLine() = saved;
}

} // namespace

// List and server-data exchanges against fake masters on 127.0.0.1, on a clock the
// test moves, so the 4 s silences cost no real time.
#include "FakeMaster.h"
#include "RecordingPrompt.h"
#include "app/settings/LauncherState.h"
#include "browser/master/MasterListRequest.h"
#include "browser/master/ServerDataExchange.h"
#include "browser/query/BrowserClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

struct ClockFixture : ::testing::Test
{
    void SetUp() override
    {
        SetBrowserClock([this] { return now; });
        CKSMasterAsyncSocket::ResetOutOfDateQuestion();
    }
    void TearDown() override { SetBrowserClock(nullptr); }

    // Runs the event loop until the condition holds or a real second passes.
    template <class Condition> bool PumpUntil(Condition condition)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return condition();
    }
    void Pump(int ms)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    void AddMaster(TestDocument& doc, quint16 port)
    {
        doc.services.Parse(("Master { 127.0.0.1:" + std::to_string(port) + " }").c_str(), "test.lst");
    }

    double now = 100.0;
};

std::vector<MasterEntry> Entries(int first, int count)
{
    std::vector<MasterEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back({"127.0.0." + std::to_string(first + i), 27015 + i});
    return entries;
}

using MasterList = ClockFixture;
using ServerData = ClockFixture;

TEST_F(MasterList, BatchesWithKeysArriveCompleteAndInOrder)
{
    FakeMaster master;
    master.answer = [](const std::vector<uint8_t>& request) -> std::vector<std::vector<uint8_t>> {
        const auto query = ParseMasterListRequest(request.data(), request.size());
        if (!query)
            return {};
        if (query->key == 0)
            return {BuildMasterListBatch(7, Entries(1, 3))};
        if (query->key == 7)
            return {BuildMasterListBatch(0, Entries(10, 2))};
        return {};
    };
    TestDocument doc;
    AddMaster(doc, master.Port());
    std::optional<int> result;
    MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
    request.Start("\\map\\x");
    ASSERT_TRUE(PumpUntil([&] { return request.Socket() && request.Socket()->Done(); }));
    request.Think();
    ASSERT_EQ(result, 0);
    std::vector<MasterEntry> expected = Entries(1, 3);
    for (const auto& e : Entries(10, 2))
        expected.push_back(e);
    EXPECT_EQ(doc.added, expected);
    ASSERT_EQ(master.requests.size(), 2u);
    const auto second = ParseMasterListRequest(master.requests[1].data(), master.requests[1].size());
    ASSERT_TRUE(second);
    EXPECT_EQ(master.requests[1][0], '1');
    EXPECT_EQ(second->key, 7);
    EXPECT_EQ(second->filter, "\\map\\x");
}

TEST_F(MasterList, SilentMasterIsAskedOnceMoreThenTheNextOneWithoutFilter)
{
    FakeMaster silent;
    FakeMaster good;
    good.answer = [](const std::vector<uint8_t>&) -> std::vector<std::vector<uint8_t>> {
        return {BuildMasterListBatch(0, Entries(1, 1))};
    };
    TestDocument doc;
    AddMaster(doc, silent.Port());
    AddMaster(doc, good.Port());
    std::optional<int> result;
    std::vector<std::string> progress;
    MasterListRequest request(
        doc, doc.services, [&](MasterDocument&, int r) { result = r; },
        [&](MasterDocument&, const std::string& text) { progress.push_back(text); });
    request.Start("\\empty\\1");
    ASSERT_TRUE(PumpUntil([&] { return silent.requests.size() == 1; }));
    now += 4.0; // not yet more than 4 s
    request.Think();
    Pump(50);
    EXPECT_EQ(silent.requests.size(), 1u);
    now += 0.5;
    request.Think();
    ASSERT_TRUE(PumpUntil([&] { return silent.requests.size() == 2; }));
    EXPECT_EQ(silent.requests[1], silent.requests[0]); // the same request again
    EXPECT_TRUE(good.requests.empty());
    now += 4.5;
    request.Think();
    ASSERT_TRUE(PumpUntil([&] { return good.requests.size() == 1 && request.Socket()->Done(); }));
    EXPECT_EQ(good.requests[0], (std::vector<uint8_t>{'e', 0, 0, 0, 0}));
    request.Think();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(doc.added.size(), 1u);
    ASSERT_FALSE(progress.empty());
    EXPECT_NE(progress.back().find("Finished receiving list from 127.0.0.1:" + std::to_string(good.Port())),
              std::string::npos);
}

TEST_F(MasterList, NoMasterGivesResultOne)
{
    TestDocument doc;
    std::optional<int> result;
    MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
    request.Start("");
    EXPECT_EQ(result, MasterListRequest::kNoMaster);
    EXPECT_FALSE(request.Active());
}

TEST_F(MasterList, EveryMasterSilentGivesResultTwo)
{
    FakeMaster a, b;
    TestDocument doc;
    AddMaster(doc, a.Port());
    AddMaster(doc, b.Port());
    std::optional<int> result;
    MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
    request.Start("");
    for (int i = 0; i < 6 && !result; ++i) {
        now += 4.1;
        request.Think();
        Pump(20);
    }
    EXPECT_EQ(result, MasterListRequest::kAllFailed);
    EXPECT_EQ(a.requests.size(), 2u);
    EXPECT_EQ(b.requests.size(), 2u);
}

TEST_F(MasterList, MasterThatFallsSilentAfterPartOfTheListEndsWithWhatArrived)
{
    FakeMaster master;
    master.answer = [](const std::vector<uint8_t>& request) -> std::vector<std::vector<uint8_t>> {
        const auto query = ParseMasterListRequest(request.data(), request.size());
        if (query && query->key == 0)
            return {BuildMasterListBatch(9, Entries(1, 4))};
        return {};
    };
    TestDocument doc;
    AddMaster(doc, master.Port());
    std::optional<int> result;
    std::vector<std::string> progress;
    MasterListRequest request(
        doc, doc.services, [&](MasterDocument&, int r) { result = r; },
        [&](MasterDocument&, const std::string& text) { progress.push_back(text); });
    request.Start("");
    request.Think();
    ASSERT_TRUE(PumpUntil([&] { return doc.added.size() == 4; }));
    now += 1.0;
    request.Think();
    ASSERT_EQ(progress.size(), 2u);
    const std::string where = "127.0.0.1:" + std::to_string(master.Port());
    EXPECT_EQ(progress[0], "Requesting list from " + where + ", 4.0 remaining\n");
    EXPECT_EQ(progress[1], "Receiving list from " + where + ", 4 received, 3.0 remaining\n");
    now += 3.1;
    request.Think(); // re-send
    now += 4.1;
    request.Think();
    EXPECT_EQ(result, 0);
}

TEST_F(MasterList, QuickStartTakesNoMoreThan200Records)
{
    FakeMaster master;
    master.answer = [](const std::vector<uint8_t>&) -> std::vector<std::vector<uint8_t>> {
        return {BuildMasterListBatch(0, Entries(1, 10))};
    };
    TestDocument doc;
    doc.quickStart = true;
    doc.unfiltered = 195;
    AddMaster(doc, master.Port());
    MasterListRequest request(doc, doc.services, nullptr);
    request.Start("");
    ASSERT_TRUE(PumpUntil([&] { return request.Socket()->Done(); }));
    EXPECT_EQ(doc.added, Entries(1, 5));
    EXPECT_EQ(request.Socket()->Received(), 10);
}

TEST_F(MasterList, ForeignAndCutDatagramsChangeNothing)
{
    FakeMaster master;
    master.answer = [](const std::vector<uint8_t>&) -> std::vector<std::vector<uint8_t>> {
        auto wrongHeader = BuildMasterListBatch(0, Entries(1, 2));
        wrongHeader[1] = 0;
        auto cut = BuildMasterListBatch(0, Entries(1, 2));
        cut.resize(9);
        return {wrongHeader, cut, {}};
    };
    TestDocument doc;
    AddMaster(doc, master.Port());
    MasterListRequest request(doc, doc.services, nullptr);
    request.Start("");
    Pump(100);
    EXPECT_TRUE(doc.added.empty());
    EXPECT_FALSE(request.Socket()->Done());
}

// A master that answers each list request through the given function of its key.
void AnswerByKey(FakeMaster& master, std::function<std::vector<std::vector<uint8_t>>(int32_t key)> byKey)
{
    master.answer = [byKey](const std::vector<uint8_t>& request) -> std::vector<std::vector<uint8_t>> {
        const auto query = ParseMasterListRequest(request.data(), request.size());
        if (!query)
            return {};
        return byKey(query->key);
    };
}

TEST_F(MasterList, AKeyAskedBeforeEndsTheListWithWhatArrived)
{
    // Key -1 for ever, and a list that goes round 0 -> 5 -> 6 -> 5.
    for (const int32_t loopKey : {-1, 5}) {
        SCOPED_TRACE(loopKey);
        FakeMaster master;
        AnswerByKey(master, [loopKey](int32_t key) -> std::vector<std::vector<uint8_t>> {
            if (loopKey == -1)
                return {BuildMasterListBatch(-1, Entries(1, 3))};
            if (key == 0)
                return {BuildMasterListBatch(5, Entries(1, 3))};
            if (key == 5)
                return {BuildMasterListBatch(6, Entries(20, 2))};
            return {BuildMasterListBatch(5, Entries(40, 2))};
        });
        TestDocument doc;
        AddMaster(doc, master.Port());
        std::optional<int> result;
        MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
        request.Start("");
        Pump(200);
        request.Think();
        ASSERT_EQ(result, MasterListRequest::kComplete);
        const size_t asked = loopKey == -1 ? 2 : 3;
        EXPECT_EQ(master.requests.size(), asked);
        EXPECT_EQ(doc.added.size(), loopKey == -1 ? 3u : 5u); // the repeating batch is not taken
    }
}

TEST_F(MasterList, BatchAndAddressBoundsEndAListWithoutEnd)
{
    struct Case
    {
        int perBatch;
        size_t requests;
        size_t added;
    };
    // Empty batches stop at the batch bound; full ones at the address bound.
    constexpr int kBatches = CKSMasterAsyncSocket::kMaxListBatches;
    constexpr int kAddresses = CKSMasterAsyncSocket::kMaxListAddresses;
    for (const Case& c : {Case{0, size_t(kBatches), 0}, Case{10, size_t(kAddresses / 10 + 1), size_t(kAddresses)}}) {
        SCOPED_TRACE(c.perBatch);
        FakeMaster master;
        const int perBatch = c.perBatch;
        AnswerByKey(master, [perBatch](int32_t key) -> std::vector<std::vector<uint8_t>> {
            std::vector<MasterEntry> entries;
            for (int i = 0; i < perBatch; ++i) {
                const int n = key * perBatch + i;
                entries.push_back(
                    {"127.1." + std::to_string(n / 256 % 256) + "." + std::to_string(n % 256), 1000 + n / 65536});
            }
            return {BuildMasterListBatch(key + 1, entries)};
        });
        TestDocument doc;
        AddMaster(doc, master.Port());
        std::optional<int> result;
        MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
        request.Start("");
        QElapsedTimer timer;
        timer.start();
        size_t seen = 0;
        // Until no request has come for a while (or far more than the bound allows).
        while (timer.elapsed() < 30000 && master.requests.size() <= c.requests) {
            Pump(100);
            if (master.requests.size() == seen)
                break;
            seen = master.requests.size();
        }
        EXPECT_EQ(master.requests.size(), c.requests);
        EXPECT_EQ(doc.added.size(), c.added);
        request.Think();
        // Nothing arrived from a master of empty batches: as if it had been silent.
        EXPECT_EQ(result, c.added > 0 ? MasterListRequest::kComplete : MasterListRequest::kAllFailed);
    }
}

TEST_F(MasterList, TheExchangeEndsAtItsDeadlineKeepingWhatArrived)
{
    // One address and a new key every 3 s: never silent long enough for a time-out.
    FakeMaster master;
    int answersAllowed = 0;
    AnswerByKey(master, [&](int32_t key) -> std::vector<std::vector<uint8_t>> {
        if (answersAllowed == 0)
            return {};
        --answersAllowed;
        return {BuildMasterListBatch(key + 1, Entries(1 + key % 200, 1))};
    });
    TestDocument doc;
    AddMaster(doc, master.Port());
    std::optional<int> result;
    MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
    const double start = now;
    answersAllowed = 1;
    request.Start("");
    size_t batches = 1;
    while (!result && now - start < 2 * MasterListRequest::kDeadline) {
        ASSERT_TRUE(PumpUntil([&] { return doc.added.size() == batches; }));
        now += 3.0;
        request.Think();
        if (result)
            break;
        // The request for the next batch goes out again, and this time it is answered.
        answersAllowed = 1;
        request.Socket()->Resend();
        ++batches;
    }
    ASSERT_EQ(result, MasterListRequest::kComplete);
    EXPECT_GT(now - start, MasterListRequest::kDeadline);
    EXPECT_LE(now - start, MasterListRequest::kDeadline + 3.0);
    EXPECT_EQ(doc.added.size(), batches);
}

TEST_F(MasterList, OnlyAWellFormedReplyKeepsTheMasterAlive)
{
    // Every request is answered with an echo, noise and a reply of an unknown type.
    FakeMaster junk;
    junk.answer = [](const std::vector<uint8_t>& request) -> std::vector<std::vector<uint8_t>> {
        auto unknownType = BuildMasterListBatch(7, Entries(1, 2));
        unknownType[4] = 'g';
        return {request, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, unknownType};
    };
    TestDocument doc;
    AddMaster(doc, junk.Port());
    std::optional<int> result;
    MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
    request.Start("");
    for (int i = 0; i < 4 && !result; ++i) {
        ASSERT_TRUE(PumpUntil([&] { return junk.requests.size() == size_t(i + 1); }));
        Pump(50); // the junk arrives
        now += MasterListRequest::kSilence + 0.1;
        request.Think();
    }
    // One request and one re-send, as for a silent master.
    EXPECT_EQ(result, MasterListRequest::kAllFailed);
    EXPECT_EQ(junk.requests.size(), 2u);
    EXPECT_TRUE(doc.added.empty());
}

TEST_F(MasterList, TheTwinOfABatchWhoseRequestWentOutTwiceIsIgnored)
{
    // The first answer is late: the re-sent request is answered too, so the batch comes
    // twice. The list goes on past it.
    FakeMaster master;
    int firstAsked = 0;
    AnswerByKey(master, [&](int32_t key) -> std::vector<std::vector<uint8_t>> {
        if (key == 0 && ++firstAsked == 1)
            return {};
        if (key == 0)
            return {BuildMasterListBatch(8, Entries(1, 2)), BuildMasterListBatch(8, Entries(1, 2))};
        if (key == 8)
            return {BuildMasterListBatch(0, Entries(30, 3))};
        return {};
    });
    TestDocument doc;
    AddMaster(doc, master.Port());
    std::optional<int> result;
    MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
    request.Start("");
    ASSERT_TRUE(PumpUntil([&] { return master.requests.size() == 1; }));
    now += MasterListRequest::kSilence + 0.1;
    request.Think(); // re-send
    ASSERT_TRUE(PumpUntil([&] { return request.Socket()->Done(); }));
    request.Think();
    EXPECT_EQ(result, MasterListRequest::kComplete);
    std::vector<MasterEntry> expected = Entries(1, 2);
    for (const auto& e : Entries(30, 3))
        expected.push_back(e);
    EXPECT_EQ(doc.added, expected);
}

TEST_F(MasterList, ALateAnswerToAReSentRequestAfterLaterBatchesDoesNotEndTheList)
{
    // The first request is held up on the way: the re-sent one is answered at once, the
    // list moves on, and the first answer arrives only after the next batch. It names a
    // key asked before, yet it is the twin of a batch taken, and the list goes on.
    FakeMaster master;
    int firstAsked = 0;
    AnswerByKey(master, [&](int32_t key) -> std::vector<std::vector<uint8_t>> {
        if (key == 0 && ++firstAsked == 1)
            return {};
        if (key == 0)
            return {BuildMasterListBatch(8, Entries(1, 2))};
        if (key == 8)
            return {BuildMasterListBatch(9, Entries(10, 2))};
        if (key == 9)
            return {BuildMasterListBatch(8, Entries(1, 2)), BuildMasterListBatch(0, Entries(30, 3))};
        return {};
    });
    TestDocument doc;
    AddMaster(doc, master.Port());
    std::optional<int> result;
    MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
    request.Start("");
    ASSERT_TRUE(PumpUntil([&] { return master.requests.size() == 1; }));
    now += MasterListRequest::kSilence + 0.1;
    request.Think(); // re-send
    ASSERT_TRUE(PumpUntil([&] { return master.requests.size() == 4; }));
    PumpUntil([&] { return request.Socket()->Done() || request.Socket()->CutOff(); });
    request.Think();
    EXPECT_EQ(result, MasterListRequest::kComplete);
    EXPECT_FALSE(request.Socket() && request.Socket()->CutOff());
    std::vector<MasterEntry> expected = Entries(1, 2);
    for (const auto& e : Entries(10, 2))
        expected.push_back(e);
    for (const auto& e : Entries(30, 3))
        expected.push_back(e);
    EXPECT_EQ(doc.added, expected);
}

TEST_F(ServerData, ReplyUpdatesTheServiceAddressList)
{
    FakeMaster master;
    ServerDataReply reply;
    reply.groups[0] = {{"127.0.0.5", 6002}};
    reply.groups[1] = {{"127.0.0.6", 6001}};
    reply.groups[2] = {{"127.0.0.1", 0}, {"127.0.0.7", 27010}};
    master.answer = [&](const std::vector<uint8_t>& request) -> std::vector<std::vector<uint8_t>> {
        if (!ParseServerDataRequest(request.data(), request.size()))
            return {};
        return {BuildServerDataReply(reply)};
    };
    reply.groups[2][0].port = master.Port(); // already listed: dropped
    TestDocument doc;
    AddMaster(doc, master.Port());
    ServerDataExchange::SetServerDataNeeded(true);
    ServerDataExchange exchange(doc, doc.services);
    EXPECT_EQ(exchange.Tick(), ServerDataExchange::State::Running);
    EXPECT_EQ(exchange.StatusText(), "Requesting server data from 127.0.0.1:" + std::to_string(master.Port()) + ".");
    ASSERT_TRUE(PumpUntil([&] { return doc.ServerDataReceived(); }));
    const auto query = ParseServerDataRequest(master.requests[0].data(), master.requests[0].size());
    ASSERT_TRUE(query);
    EXPECT_EQ(query->version, Launcher().patchVersion);
    EXPECT_EQ(query->shortTitle, Launcher().shortTitle);
    EXPECT_EQ(exchange.Tick(), ServerDataExchange::State::Running);
    EXPECT_EQ(exchange.StatusText(), "Received server list.");
    EXPECT_EQ(exchange.Tick(), ServerDataExchange::State::Succeeded);
    EXPECT_FALSE(ServerDataExchange::ServerDataNeeded());
    ASSERT_EQ(doc.services.AuthList().size(), 1u);
    EXPECT_EQ(doc.services.AuthList()[0].host, "127.0.0.5");
    ASSERT_EQ(doc.services.PylonList().size(), 1u);
    EXPECT_EQ(doc.services.PylonList()[0].port, 6001);
    ASSERT_EQ(doc.services.MasterList().size(), 2u);
    EXPECT_EQ(doc.services.MasterList()[1].port, 27010);
    EXPECT_EQ(doc.serverDataCalls, 1);
}

TEST_F(ServerData, OutOfDateAsksTwiceOnceAndSetsTheUpdaterFlag)
{
    FakeMaster master;
    ServerDataReply reply;
    reply.outOfDate = true;
    master.answer = [&](const std::vector<uint8_t>&) -> std::vector<std::vector<uint8_t>> {
        return {BuildServerDataReply(reply)};
    };
    TestDocument doc;
    AddMaster(doc, master.Port());
    RecordingPrompt prompt(kPromptFirst);
    ScopedPrompt scoped(prompt);
    Launcher().updaterFlag = 0;
    std::unique_ptr<CKSMasterAsyncSocket> socket;
    ASSERT_TRUE(SendServerDataRequest(doc, socket, "127.0.0.1", master.Port()));
    ASSERT_TRUE(PumpUntil([&] { return doc.ServerDataReceived(); }));
    EXPECT_EQ(prompt.texts.size(), 2u);
    EXPECT_EQ(Launcher().updaterFlag, 1);
    // A second reply in the same run asks nothing.
    ASSERT_TRUE(SendServerDataRequest(doc, socket, "127.0.0.1", master.Port()));
    ASSERT_TRUE(PumpUntil([&] { return doc.ServerDataReceived(); }));
    EXPECT_EQ(prompt.texts.size(), 2u);
    Launcher().updaterFlag = 0;
}

TEST_F(ServerData, DecliningTheFirstQuestionLeavesTheFlag)
{
    FakeMaster master;
    ServerDataReply reply;
    reply.outOfDate = true;
    master.answer = [&](const std::vector<uint8_t>&) -> std::vector<std::vector<uint8_t>> {
        return {BuildServerDataReply(reply)};
    };
    TestDocument doc;
    RecordingPrompt prompt(kPromptSecond);
    ScopedPrompt scoped(prompt);
    Launcher().updaterFlag = 0;
    std::unique_ptr<CKSMasterAsyncSocket> socket;
    ASSERT_TRUE(SendServerDataRequest(doc, socket, "127.0.0.1", master.Port()));
    ASSERT_TRUE(PumpUntil([&] { return doc.ServerDataReceived(); }));
    EXPECT_EQ(prompt.texts.size(), 1u);
    EXPECT_EQ(Launcher().updaterFlag, 0);
}

TEST_F(ServerData, SilentMastersAreRetriedThenTheExchangeGivesUpKeepingTheFlag)
{
    FakeMaster a, b;
    TestDocument doc;
    AddMaster(doc, a.Port());
    AddMaster(doc, b.Port());
    ServerDataExchange::SetServerDataNeeded(true);
    ServerDataExchange exchange(doc, doc.services);
    ServerDataExchange::State state = exchange.Tick();
    for (int i = 0; i < 10 && state == ServerDataExchange::State::Running; ++i) {
        now += 4.1;
        state = exchange.Tick();
        Pump(20);
        if (state == ServerDataExchange::State::Running)
            state = exchange.Tick();
    }
    EXPECT_EQ(state, ServerDataExchange::State::GaveUp);
    EXPECT_EQ(a.requests.size(), 2u);
    EXPECT_EQ(b.requests.size(), 2u);
    EXPECT_TRUE(ServerDataExchange::ServerDataNeeded());
}

} // namespace

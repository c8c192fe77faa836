// The request queue, with the worker held inside a device call so that requests
// pile up before it wakes: the latest request of each kind wins.
#include "CdAudioFixture.h"

using CdQueueTest = CdAudioTest;

TEST_F(CdQueueTest, LatestPlayWinsBeforeTheWorkerWakes)
{
    Start();
    device.HoldNext("play");
    audio->Play(2, false);
    device.WaitUntilHeld();
    audio->Play(3, false);
    audio->Play(5, false);
    device.OpenGate();
    Idle();
    EXPECT_EQ(device.Played(), (std::vector<std::string>{"play 2", "play 5"}));
    EXPECT_EQ(audio->CurrentTrack(), 5);
}

TEST_F(CdQueueTest, PauseResumePauseEndsPausedAndTwoPausesRunOnce)
{
    Start();
    audio->Play(2, false);
    Idle();
    device.HoldNext("type");
    audio->Play(4, false);
    device.WaitUntilHeld();
    audio->Pause();
    audio->Resume();
    audio->Pause();
    device.OpenGate();
    Idle();
    EXPECT_EQ(device.Last(), "pause");
    EXPECT_FALSE(audio->Playing());
    EXPECT_TRUE(audio->WasPlaying());

    device.ClearCalls();
    audio->Resume();
    Idle();
    device.HoldNext("type");
    audio->Play(6, false);
    device.WaitUntilHeld();
    audio->Pause();
    audio->Pause();
    device.OpenGate();
    Idle();
    EXPECT_EQ(device.Count("pause"), 1);
}

TEST_F(CdQueueTest, AFullQueueDropsNewKindsOfRequest)
{
    CdRequestQueue queue;
    const CdOperation kinds[] = {CdOperation::ReadDiscInfo, CdOperation::Play,      CdOperation::Stop,
                                 CdOperation::Pause,        CdOperation::Resume,    CdOperation::SetEnabled,
                                 CdOperation::Reset,        CdOperation::Eject,     CdOperation::CloseDoor,
                                 CdOperation::Notify};
    for (const CdOperation kind : kinds)
        EXPECT_TRUE(queue.Post({kind, 0, 0}));
    EXPECT_FALSE(queue.Post({CdOperation::CheckEnd, 0, 0}));
    // A kind already waiting still takes the latest arguments.
    EXPECT_TRUE(queue.Post({CdOperation::Play, 7, 1}));
    std::vector<CdRequest> taken;
    ASSERT_TRUE(queue.Take(taken));
    ASSERT_EQ(taken.size(), CdRequestQueue::kMaxRequests);
    EXPECT_EQ(taken.back().operation, CdOperation::Play);
    EXPECT_EQ(taken.back().argument1, 7);
    EXPECT_EQ(taken.front().operation, CdOperation::ReadDiscInfo);

    queue.RequestStop();
    EXPECT_FALSE(queue.Post({CdOperation::Stop, 0, 0}));
    EXPECT_FALSE(queue.Take(taken));
}

TEST_F(CdQueueTest, ShutdownDuringASlowDeviceCallWaitsForItAndRunsNothingMore)
{
    Start();
    device.HoldNext("play");
    audio->Play(3, true);
    device.WaitUntilHeld();
    audio->Pause();
    const std::thread::id worker = device.Calls().back().thread;

    std::atomic<bool> returned{false};
    std::thread closing([this, &returned] {
        audio->Shutdown();
        returned = true;
    });
    while (!audio->Stopping())
        std::this_thread::yield();
    // The worker is held inside the device: shutdown waits for it.
    EXPECT_FALSE(returned);
    device.OpenGate();
    closing.join();

    const auto calls = device.Calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.back().name, "close");
    EXPECT_EQ(device.Count("pause"), 0);
    // The worker alone touched the device.
    for (const auto& call : calls)
        EXPECT_EQ(call.thread, worker) << call.name;
    EXPECT_NE(worker, std::this_thread::get_id());
    // Requests after shutdown go nowhere.
    audio->Play(2, false);
    EXPECT_EQ(device.Count("play"), 1);
}

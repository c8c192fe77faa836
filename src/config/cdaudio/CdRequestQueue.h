#pragma once
// The requests waiting for the CD audio worker: at most kMaxRequests, guarded by one
// lock, with an event that wakes the worker. A request whose operation is already
// waiting replaces it and moves to the end, so the latest request of each kind wins
// ("play 3" then "play 5" plays 5; pause, resume, pause ends paused).
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

enum class CdOperation
{
    ReadDiscInfo,
    Play,       // argument 1: the track asked for, argument 2: 1 to loop
    Stop,
    Pause,
    Resume,
    SetEnabled, // argument 1: 1 on, 0 off
    Reset,
    Eject,
    CloseDoor,
    Notify,     // argument 1: a CdNotifyResult
    CheckEnd,
};

struct CdRequest
{
    CdOperation operation = CdOperation::ReadDiscInfo;
    int argument1 = 0;
    int argument2 = 0;
};

class CdRequestQueue
{
public:
    static constexpr size_t kMaxRequests = 10;

    // False when the request was dropped: kMaxRequests others are waiting, or the
    // worker is stopping.
    bool Post(const CdRequest& request);

    // The worker's side: waits for requests and takes them all, in order, emptying
    // the queue. False when the worker is to stop.
    bool Take(std::vector<CdRequest>& requests);
    // The worker finished what it took.
    void Done();
    // Asks the worker to stop after the request it is running; later posts are dropped.
    void RequestStop();
    bool StopRequested() const;

    // Waits until nothing is waiting and the worker is not running requests; false
    // when seconds passed first.
    bool WaitUntilIdle(double seconds);

private:
    mutable std::mutex m_lock;
    std::condition_variable m_event;
    std::condition_variable m_idle;
    std::vector<CdRequest> m_waiting;
    bool m_stop = false;
    bool m_busy = true; // until the worker has initialised the device
};

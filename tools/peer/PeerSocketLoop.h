#pragma once
// One epoll instance per thread watching the sockets of every peer game server on that
// thread. The Qt event loop hears it through a single notifier on the epoll descriptor,
// so a wake-up costs the same with ten servers as with ten thousand.
#include <QString>

#include <sys/epoll.h>

#include <array>
#include <memory>

class QSocketNotifier;

class PeerSocketLoop : public std::enable_shared_from_this<PeerSocketLoop>
{
public:
    // What the loop calls when a watched socket has something to read.
    class Listener
    {
    public:
        virtual void ReadPending() = 0;

    protected:
        ~Listener() = default;
    };

    // Ready sockets handled per wake-up; more wait for the next one.
    static constexpr int kEventsPerWake = 64;

    // The calling thread's loop, made on first use; it goes with its last holder. Null
    // when no epoll instance can be had, with the reason in error.
    static std::shared_ptr<PeerSocketLoop> ForThisThread(QString& error);

    PeerSocketLoop(const PeerSocketLoop&) = delete;
    PeerSocketLoop& operator=(const PeerSocketLoop&) = delete;
    ~PeerSocketLoop();

    // Calls listener whenever fd is readable (or holds an error). False, with the
    // reason in error, if epoll refuses it.
    bool Watch(int fd, Listener* listener, QString& error);
    // Stops watching fd, before it is closed; events already fetched for the listener
    // are dropped.
    void Forget(int fd, const Listener* listener);

private:
    PeerSocketLoop() = default;
    void Dispatch();

    int m_epoll = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::array<epoll_event, kEventsPerWake> m_events{};
    int m_eventCount = 0;
    int m_next = 0;
};

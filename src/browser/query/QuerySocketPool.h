#pragma once
// The datagram sockets the server queries of one thread are made from. Opening and
// closing a socket for every server cost more than the query itself, so a socket given
// back by a finished query waits here, bound to its local port, until the next query
// takes it and connects it to its own server. All of them are watched through one
// epoll descriptor, itself watched by one socket notifier of the thread's event loop:
// a reply costs one wake-up, however many queries are in flight.
#include <cstdint>
#include <memory>
#include <vector>

class CKSAsyncSocket;
class QSocketNotifier;
class QTimer;

class QuerySocketPool
{
public:
    // Sockets given back wait at most this long for a new query before they are closed.
    static constexpr int kIdleCloseMs = 3000;
    // Never more sockets than this wait unused.
    static constexpr size_t kMaxIdle = 1024;

    // The pool of the calling thread.
    static QuerySocketPool& ForThread();

    ~QuerySocketPool();
    QuerySocketPool(const QuerySocketPool&) = delete;
    QuerySocketPool& operator=(const QuerySocketPool&) = delete;

    // A bound, unconnected-or-reused datagram socket for owner, watched for readiness;
    // -1 when none can be opened.
    int Acquire(CKSAsyncSocket& owner);
    // Closes descriptor and gives owner a new socket in its place (a new local port);
    // -1 when none can be opened.
    int Renew(int descriptor, CKSAsyncSocket& owner);
    // Gives the socket back; the owner hears nothing more from it.
    void Release(int descriptor);
    // The server a socket was last connected to (address and port), 0 for none: a
    // socket taken again for the same server is renewed, not reused.
    uint64_t LastPeer(int descriptor) const;
    void SetLastPeer(int descriptor, uint64_t peer);

    // Sockets waiting unused (each holds a descriptor a new query can take).
    size_t IdleCount() const { return m_idle.size(); }
    // Closes the sockets waiting unused.
    void CloseIdle();

    // Handles every socket that is ready now (what the notifier does).
    void DispatchReady();
    // Forgets the notifier and the timer (their application is going).
    void DropWatcher();

private:
    QuerySocketPool();
    bool EnsureWatcher();
    int OpenSocket();
    void Own(int descriptor, CKSAsyncSocket& owner);
    void CloseSocket(int descriptor);
    void Discard(int descriptor);
    void OnIdleTimer();

    int m_epoll = -1;
    QSocketNotifier* m_notifier = nullptr;
    QTimer* m_idleTimer = nullptr;
    // Owner of each descriptor in use, indexed by descriptor; null while it waits.
    std::vector<CKSAsyncSocket*> m_owners;
    std::vector<uint64_t> m_lastPeer; // indexed by descriptor
    std::vector<int> m_idle;
    uint64_t m_acquired = 0;
    uint64_t m_acquiredAtLastTimer = 0;
};

#include "browser/query/QuerySocketPool.h"

#include "browser/query/CKSAsyncSocket.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <array>
#include <cerrno>
#include <netinet/in.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int kEventsPerWait = 64;
// How many times one readiness may read a socket, so a flooded socket cannot keep the
// others waiting; what is left is reported again at the next wait.
constexpr int kMaxReadsPerReadiness = 16;

// The watcher of the main thread belongs to the application: when the application
// goes, so do the notifier and the timer, and a later application gets new ones.
void DropMainThreadWatcher();
} // namespace

QuerySocketPool& QuerySocketPool::ForThread()
{
    thread_local QuerySocketPool pool;
    return pool;
}

QuerySocketPool::QuerySocketPool() = default;

QuerySocketPool::~QuerySocketPool()
{
    // Without an event loop left in this thread, the notifier cannot be unregistered:
    // it is left to the ending process.
    if (QCoreApplication::instance() && QThread::currentThread()->eventDispatcher()) {
        delete m_notifier;
        delete m_idleTimer;
    }
    for (size_t fd = 0; fd < m_owners.size(); ++fd)
        if (m_owners[fd])
            m_owners[fd]->DetachDescriptor();
    CloseIdle();
    if (m_epoll >= 0)
        ::close(m_epoll);
}

bool QuerySocketPool::EnsureWatcher()
{
    if (m_epoll < 0) {
        m_epoll = ::epoll_create1(EPOLL_CLOEXEC);
        if (m_epoll < 0)
            return false;
    }
    if (m_notifier || !QCoreApplication::instance())
        return m_notifier != nullptr || m_epoll >= 0;
    m_notifier = new QSocketNotifier(qintptr(m_epoll), QSocketNotifier::Read);
    QObject::connect(m_notifier, &QSocketNotifier::activated, m_notifier, [this] { DispatchReady(); });
    m_idleTimer = new QTimer;
    m_idleTimer->setInterval(kIdleCloseMs);
    QObject::connect(m_idleTimer, &QTimer::timeout, m_idleTimer, [this] { OnIdleTimer(); });
    if (QThread::currentThread() == QCoreApplication::instance()->thread()) {
        static bool routineAdded = false;
        if (!routineAdded) {
            qAddPostRoutine(&DropMainThreadWatcher);
            routineAdded = true;
        }
    }
    return true;
}

namespace {
void DropMainThreadWatcher()
{
    QuerySocketPool::ForThread().DropWatcher();
}
} // namespace

void QuerySocketPool::DropWatcher()
{
    delete m_notifier;
    m_notifier = nullptr;
    delete m_idleTimer;
    m_idleTimer = nullptr;
}

int QuerySocketPool::OpenSocket()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    // The kernel stamps each datagram as it arrives and hands the stamp out with it,
    // so a ping does not grow by the time a reply waited while the browser was busy.
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = htonl(INADDR_ANY);
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.fd = fd;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0 ||
        ::epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &event) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void QuerySocketPool::Own(int descriptor, CKSAsyncSocket& owner)
{
    if (size_t(descriptor) >= m_owners.size()) {
        m_owners.resize(size_t(descriptor) + 1, nullptr);
        m_lastPeer.resize(size_t(descriptor) + 1, 0);
    }
    m_owners[size_t(descriptor)] = &owner;
}

uint64_t QuerySocketPool::LastPeer(int descriptor) const
{
    return descriptor >= 0 && size_t(descriptor) < m_lastPeer.size() ? m_lastPeer[size_t(descriptor)] : 0;
}

void QuerySocketPool::SetLastPeer(int descriptor, uint64_t peer)
{
    if (descriptor >= 0 && size_t(descriptor) < m_lastPeer.size())
        m_lastPeer[size_t(descriptor)] = peer;
}

void QuerySocketPool::CloseSocket(int descriptor)
{
    // The number may come back for a new socket, which has asked nobody yet.
    SetLastPeer(descriptor, 0);
    ::epoll_ctl(m_epoll, EPOLL_CTL_DEL, descriptor, nullptr);
    ::close(descriptor);
}

int QuerySocketPool::Acquire(CKSAsyncSocket& owner)
{
    if (!EnsureWatcher())
        return -1;
    int fd = -1;
    if (!m_idle.empty()) {
        fd = m_idle.back();
        m_idle.pop_back();
    } else {
        fd = OpenSocket();
        if (fd < 0)
            return -1;
    }
    Own(fd, owner);
    ++m_acquired;
    return fd;
}

int QuerySocketPool::Renew(int descriptor, CKSAsyncSocket& owner)
{
    if (descriptor >= 0) {
        if (size_t(descriptor) < m_owners.size())
            m_owners[size_t(descriptor)] = nullptr;
        CloseSocket(descriptor);
    }
    const int fd = OpenSocket();
    if (fd < 0)
        return -1;
    Own(fd, owner);
    return fd;
}

void QuerySocketPool::Release(int descriptor)
{
    if (descriptor < 0)
        return;
    if (size_t(descriptor) < m_owners.size())
        m_owners[size_t(descriptor)] = nullptr;
    if (m_idle.size() >= kMaxIdle || !m_idleTimer) {
        CloseSocket(descriptor);
        return;
    }
    m_idle.push_back(descriptor);
    if (!m_idleTimer->isActive()) {
        m_acquiredAtLastTimer = m_acquired;
        m_idleTimer->start();
    }
}

void QuerySocketPool::CloseIdle()
{
    for (int fd : m_idle)
        CloseSocket(fd);
    m_idle.clear();
}

void QuerySocketPool::OnIdleTimer()
{
    // Only a whole period without a new query closes the waiting sockets: during a
    // refresh they are taken again at once.
    if (m_acquired == m_acquiredAtLastTimer || m_idle.empty()) {
        CloseIdle();
        m_idleTimer->stop();
        return;
    }
    m_acquiredAtLastTimer = m_acquired;
}

void QuerySocketPool::Discard(int descriptor)
{
    // A late reply to a query that has ended, waiting in a socket nobody uses.
    std::array<char, 1> byte{};
    for (int i = 0; i < kMaxReadsPerReadiness; ++i) {
        if (::recv(descriptor, byte.data(), byte.size(), MSG_DONTWAIT | MSG_TRUNC) < 0 && errno == EAGAIN)
            return;
    }
}

void QuerySocketPool::DispatchReady()
{
    if (m_epoll < 0)
        return;
    std::array<epoll_event, kEventsPerWait> events{};
    const int n = ::epoll_wait(m_epoll, events.data(), kEventsPerWait, 0);
    for (int i = 0; i < n; ++i) {
        const int fd = events[size_t(i)].data.fd;
        // An owner handling its datagram may end queries and give sockets back: the
        // owner is looked up for each event, never kept across another's handling.
        CKSAsyncSocket* owner = size_t(fd) < m_owners.size() ? m_owners[size_t(fd)] : nullptr;
        if (owner)
            owner->ReadPending(kMaxReadsPerReadiness);
        else
            Discard(fd);
    }
}

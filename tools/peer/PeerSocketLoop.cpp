#include "peer/PeerSocketLoop.h"

#include <QSocketNotifier>

#include <cerrno>
#include <unistd.h>

namespace {

thread_local std::weak_ptr<PeerSocketLoop> t_loop;

} // namespace

std::shared_ptr<PeerSocketLoop> PeerSocketLoop::ForThisThread(QString& error)
{
    if (std::shared_ptr<PeerSocketLoop> loop = t_loop.lock())
        return loop;
    std::shared_ptr<PeerSocketLoop> loop(new PeerSocketLoop);
    loop->m_epoll = epoll_create1(EPOLL_CLOEXEC);
    if (loop->m_epoll < 0) {
        error = "cannot create an epoll instance: " + qt_error_string(errno);
        return nullptr;
    }
    loop->m_notifier = std::make_unique<QSocketNotifier>(loop->m_epoll, QSocketNotifier::Read);
    PeerSocketLoop* raw = loop.get();
    QObject::connect(loop->m_notifier.get(), &QSocketNotifier::activated, loop->m_notifier.get(),
                     [raw] { raw->Dispatch(); });
    t_loop = loop;
    return loop;
}

PeerSocketLoop::~PeerSocketLoop()
{
    m_notifier.reset();
    if (m_epoll >= 0)
        close(m_epoll);
}

bool PeerSocketLoop::Watch(int fd, Listener* listener, QString& error)
{
    // Level-triggered: a socket with datagrams left (or an error not yet read) is
    // reported again on the next wake-up.
    epoll_event event{};
    event.events = EPOLLIN;
    event.data.ptr = listener;
    if (epoll_ctl(m_epoll, EPOLL_CTL_ADD, fd, &event) != 0) {
        error = "cannot watch the socket: " + qt_error_string(errno);
        return false;
    }
    return true;
}

void PeerSocketLoop::Forget(int fd, const Listener* listener)
{
    epoll_ctl(m_epoll, EPOLL_CTL_DEL, fd, nullptr);
    for (int i = m_next; i < m_eventCount; ++i) {
        if (m_events[size_t(i)].data.ptr == listener)
            m_events[size_t(i)].data.ptr = nullptr;
    }
}

void PeerSocketLoop::Dispatch()
{
    // A listener may drop the last server of the thread, and with it this loop.
    const std::shared_ptr<PeerSocketLoop> keep = shared_from_this();
    const int count = epoll_wait(m_epoll, m_events.data(), kEventsPerWake, 0);
    m_eventCount = count > 0 ? count : 0;
    for (m_next = 0; m_next < m_eventCount;) {
        auto* listener = static_cast<Listener*>(m_events[size_t(m_next++)].data.ptr);
        if (listener)
            listener->ReadPending();
    }
    m_eventCount = 0;
    m_next = 0;
}

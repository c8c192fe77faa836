#include "config/cdaudio/CdRequestQueue.h"

#include <algorithm>
#include <chrono>

bool CdRequestQueue::Post(const CdRequest& request)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_stop)
            return false;
        const auto same = std::find_if(m_waiting.begin(), m_waiting.end(), [&](const CdRequest& waiting) {
            return waiting.operation == request.operation;
        });
        if (same != m_waiting.end())
            m_waiting.erase(same);
        else if (m_waiting.size() >= kMaxRequests)
            return false;
        m_waiting.push_back(request);
    }
    m_event.notify_one();
    return true;
}

bool CdRequestQueue::Take(std::vector<CdRequest>& requests)
{
    requests.clear();
    std::unique_lock<std::mutex> hold(m_lock);
    m_event.wait(hold, [this] { return m_stop || !m_waiting.empty(); });
    if (m_stop)
        return false;
    requests.swap(m_waiting);
    m_busy = true;
    return true;
}

void CdRequestQueue::Done()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_busy = false;
    }
    m_idle.notify_all();
}

void CdRequestQueue::RequestStop()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_stop = true;
        m_waiting.clear();
    }
    m_event.notify_one();
    m_idle.notify_all();
}

bool CdRequestQueue::StopRequested() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_stop;
}

bool CdRequestQueue::WaitUntilIdle(double seconds)
{
    std::unique_lock<std::mutex> hold(m_lock);
    return m_idle.wait_for(hold, std::chrono::duration<double>(seconds),
                           [this] { return m_stop || (!m_busy && m_waiting.empty()); });
}

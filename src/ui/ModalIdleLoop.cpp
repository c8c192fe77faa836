#include "ui/ModalIdleLoop.h"

#include "ui/CKSDialog.h"

#include <algorithm>

ModalIdleLoop& ModalIdleLoop::Instance()
{
    static ModalIdleLoop* loop = new ModalIdleLoop; // lives until exit, like the application
    return *loop;
}

ModalIdleLoop::ModalIdleLoop()
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ModalIdleLoop::Tick);
}

void ModalIdleLoop::Enter(CKSDialog* dialog)
{
    m_stack.emplace_back(dialog);
    m_timer.start(0);
}

void ModalIdleLoop::Leave(CKSDialog* dialog)
{
    m_stack.erase(std::remove_if(m_stack.begin(), m_stack.end(),
                                 [dialog](const QPointer<CKSDialog>& d) { return d.isNull() || d == dialog; }),
                  m_stack.end());
    if (m_stack.empty())
        m_timer.stop();
}

const CKSDialog* ModalIdleLoop::Innermost() const
{
    for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it)
        if (!it->isNull())
            return it->data();
    return nullptr;
}

bool ModalIdleLoop::NothingOpenAbove(const CKSDialog* dialog) const
{
    const CKSDialog* innermost = Innermost();
    return !innermost || innermost == dialog;
}

void ModalIdleLoop::Tick()
{
    while (!m_stack.empty() && m_stack.back().isNull())
        m_stack.pop_back();
    if (m_stack.empty())
        return;
    const QPointer<CKSDialog> dialog = m_stack.back();
    const bool more = dialog->OnIdle();
    // OnIdle may have opened and closed dialogs of its own; keep ticking while any
    // dialog is still open.
    if (!m_stack.empty() && !m_timer.isActive())
        m_timer.start(more ? 0 : kQuietIntervalMs);
}

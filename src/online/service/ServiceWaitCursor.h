#pragma once
// Shows the wait cursor while a service request blocks the user-interface thread
// (only in a program with a graphical application object).
class ServiceWaitCursor
{
public:
    ServiceWaitCursor();
    ~ServiceWaitCursor();
    ServiceWaitCursor(const ServiceWaitCursor&) = delete;
    ServiceWaitCursor& operator=(const ServiceWaitCursor&) = delete;

private:
    bool m_shown = false;
};

#include "browser/list/RefreshLoop.h"

#include "browser/list/RefreshEngine.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

void WaitForNetworkEvents()
{
    // A short precise timer bounds the wait, so time-outs are seen on time; any
    // socket event ends the wait at once.
    QTimer wake;
    wake.setTimerType(Qt::PreciseTimer);
    wake.setSingleShot(true);
    wake.start(kRefreshWakeMs);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void WaitForRefreshEvents(const RefreshEngine& engine)
{
    if (engine.WorkDue())
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    else
        WaitForNetworkEvents();
}

void RunRefreshToEnd(RefreshEngine& engine)
{
    while (engine.RunPass())
        WaitForRefreshEvents(engine);
}

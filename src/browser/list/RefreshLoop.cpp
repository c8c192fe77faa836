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

void RunRefreshToEnd(RefreshEngine& engine)
{
    while (engine.RunPass())
        WaitForNetworkEvents();
}

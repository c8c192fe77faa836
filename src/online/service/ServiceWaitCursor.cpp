#include "online/service/ServiceWaitCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <QThread>

ServiceWaitCursor::ServiceWaitCursor()
{
    auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (application == nullptr || QThread::currentThread() != application->thread())
        return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    m_shown = true;
}

ServiceWaitCursor::~ServiceWaitCursor()
{
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}

#include "ui/InputFlush.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace {

class InputSwallower : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Wheel:
        case QEvent::ShortcutOverride:
        case QEvent::TouchBegin:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

void FlushPendingInput()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (!application)
        return;
    InputSwallower swallower;
    application->installEventFilter(&swallower);
    // Delivers what is queued now (window system input included) through the filter.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents();
    application->removeEventFilter(&swallower);
}

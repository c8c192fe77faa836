#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into an orderly quit of the event loop, so the
// launcher shuts down (and releases its lock) when the session asks it to.
#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // True once a termination signal has arrived while the handler exists: windows
    // then close without asking the player anything, since nobody may be there to
    // answer.
    static bool Received();

signals:
    void Requested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

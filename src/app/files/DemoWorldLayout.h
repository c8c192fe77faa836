#pragma once
// Lays the demo world out through the demo generator program (kestrel-demo FOLDER),
// without blocking: the caller's event loop keeps running while the generator works,
// and Finished tells how it went. Cancel stops a run in progress.
#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

class DemoWorldLayout : public QObject
{
    Q_OBJECT
public:
    // Longest a generator run may take before it is stopped.
    static constexpr int kTimeoutMs = 120000;

    explicit DemoWorldLayout(QObject* parent = nullptr);
    ~DemoWorldLayout() override;

    // Starts the generator on the folder (created when missing). False, with a reason
    // in Error(), when it could not be started; Finished is not sent then.
    bool Start(const QString& generator, const QString& folder);
    bool Running() const;
    void Cancel();
    // Why the last run failed.
    const QString& Error() const { return m_error; }

signals:
    // ok: the generator ended with status 0 and the folder now holds a game.
    void Finished(bool ok);

private:
    void OnFinished(int exitCode, QProcess::ExitStatus status);
    void OnError(QProcess::ProcessError error);
    void Fail(const QString& reason);

    QProcess m_process;
    QTimer m_timeout;
    QString m_folder;
    QString m_error;
    bool m_running = false;
};

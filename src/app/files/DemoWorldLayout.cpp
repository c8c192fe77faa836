#include "app/files/DemoWorldLayout.h"

#include "app/settings/GameTreeChoice.h"

#include <QDir>
#include <QFileInfo>

DemoWorldLayout::DemoWorldLayout(QObject* parent) : QObject(parent)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    connect(&m_process, &QProcess::finished, this, &DemoWorldLayout::OnFinished);
    connect(&m_process, &QProcess::errorOccurred, this, &DemoWorldLayout::OnError);
    m_timeout.setSingleShot(true);
    m_timeout.setInterval(kTimeoutMs);
    connect(&m_timeout, &QTimer::timeout, this, [this] {
        Fail(QStringLiteral("The demo generator took too long."));
        Cancel();
    });
}

DemoWorldLayout::~DemoWorldLayout()
{
    m_running = false;
    m_process.disconnect(this);
    Cancel();
}

bool DemoWorldLayout::Start(const QString& generator, const QString& folder)
{
    m_error.clear();
    if (m_running) {
        m_error = QStringLiteral("The demo world is already being laid out.");
        return false;
    }
    if (!QFileInfo(generator).isExecutable()) {
        m_error = QStringLiteral("The demo generator %1 is missing.").arg(generator);
        return false;
    }
    if (!QDir().mkpath(folder)) {
        m_error = QStringLiteral("Cannot create the folder %1.").arg(folder);
        return false;
    }
    m_folder = folder;
    m_running = true;
    // The generator only draws into images: it needs no display.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_process.setProcessEnvironment(environment);
    m_process.start(generator, {folder});
    m_timeout.start();
    return true;
}

bool DemoWorldLayout::Running() const
{
    return m_running;
}

void DemoWorldLayout::Cancel()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
}

void DemoWorldLayout::OnFinished(int exitCode, QProcess::ExitStatus status)
{
    if (!m_running)
        return;
    if (status != QProcess::NormalExit || exitCode != 0) {
        const QString detail = QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed();
        Fail(detail.isEmpty() ? QStringLiteral("The demo generator failed.") : detail);
        return;
    }
    if (!GameTreeChoice::HoldsGame(m_folder)) {
        Fail(QStringLiteral("The demo generator left no game in %1.").arg(m_folder));
        return;
    }
    m_running = false;
    m_timeout.stop();
    emit Finished(true);
}

void DemoWorldLayout::OnError(QProcess::ProcessError error)
{
    // A crash or a kill also ends in OnFinished; only a failed start ends here alone.
    if (error == QProcess::FailedToStart)
        Fail(QStringLiteral("The demo generator could not be started."));
}

void DemoWorldLayout::Fail(const QString& reason)
{
    if (!m_running)
        return;
    m_running = false;
    m_timeout.stop();
    m_error = reason;
    emit Finished(false);
}

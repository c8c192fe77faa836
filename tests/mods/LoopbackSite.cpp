#include "LoopbackSite.h"

#include <QDeadlineTimer>

LoopbackSite::LoopbackSite(Kind kind, const QString& root)
{
    QStringList arguments{KESTREL_MODS_SITES, kind == Http ? "http" : "ftp", root};
    if (kind == HostileFtp)
        arguments << "hostile";
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start("/usr/bin/python3", arguments);
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && !m_process.canReadLine())
        if (!m_process.waitForReadyRead(int(deadline.remainingTime())))
            break;
    const QByteArray line = m_process.readLine().trimmed();
    if (line.startsWith("port "))
        m_port = line.mid(5).toInt();
}

LoopbackSite::~LoopbackSite()
{
    m_process.kill();
    m_process.waitForFinished(5000);
}

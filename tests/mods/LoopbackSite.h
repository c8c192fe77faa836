#pragma once
// A loopback FTP site (pyftpdlib) or web site (Python's http.server) over a folder,
// run as a child process for one test.
#include <QProcess>
#include <QString>

class LoopbackSite
{
public:
    enum Kind
    {
        Ftp,
        HostileFtp,
        Http,
    };
    LoopbackSite(Kind kind, const QString& root);
    ~LoopbackSite();
    // 0 when the server did not start.
    int Port() const { return m_port; }

private:
    QProcess m_process;
    int m_port = 0;
};

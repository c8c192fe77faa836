#include "mods/master/ModDatagramSocket.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QThread>

bool ConnectModSocket(QUdpSocket& socket, const std::string& host, int port)
{
    if (port <= 0 || port > 65535)
        return false;
    QHostAddress address;
    if (!address.setAddress(QString::fromStdString(host))) {
        const QHostInfo info = QHostInfo::fromName(QString::fromStdString(host));
        for (const QHostAddress& found : info.addresses())
            if (found.protocol() == QAbstractSocket::IPv4Protocol) {
                address = found;
                break;
            }
    }
    if (address.isNull())
        return false;
    for (int attempt = 0; attempt < kModConnectTries; ++attempt) {
        if (attempt > 0)
            QThread::msleep(kModConnectRetryMs);
        if (socket.state() != QAbstractSocket::UnconnectedState)
            socket.abort();
        if (!socket.bind(QHostAddress(QHostAddress::AnyIPv4), 0))
            continue;
        socket.connectToHost(address, quint16(port));
        if (socket.state() == QAbstractSocket::ConnectedState)
            return true;
    }
    return false;
}

#include "mods/master/ModDatagramSocket.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QThread>

ModDatagramSocket::ModDatagramSocket(int bufferSize) : m_buffer(bufferSize)
{
    QObject::connect(this, &QUdpSocket::readyRead, this, [this] { ReadPending(); });
}

ModDatagramSocket::~ModDatagramSocket()
{
    disconnect(this, nullptr, this, nullptr);
    abort();
}

bool ModDatagramSocket::CreateAndConnect(const std::string& host, int port)
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
        if (state() != QAbstractSocket::UnconnectedState)
            abort();
        if (!bind(QHostAddress(QHostAddress::AnyIPv4), 0))
            continue;
        connectToHost(address, quint16(port));
        if (state() == QAbstractSocket::ConnectedState)
            return true;
    }
    return false;
}

void ModDatagramSocket::Send(const std::vector<uint8_t>& bytes)
{
    write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
}

void ModDatagramSocket::ReadPending()
{
    // At least one read per readiness signal, even when nothing waits: Qt listens to
    // the socket again only after a read.
    do {
        const qint64 size = readDatagram(reinterpret_cast<char*>(m_buffer.Data()), m_buffer.Capacity());
        if (size < 0)
            continue;
        OnDatagram(m_buffer.Data(), size_t(size));
    } while (hasPendingDatagrams());
}

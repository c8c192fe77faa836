#include "peer/PeerMasterServer.h"

#include <QNetworkDatagram>

PeerMasterServer::PeerMasterServer(MasterServerConfig config)
    : m_config(std::move(config)), m_socket(std::make_unique<QUdpSocket>())
{
}

PeerMasterServer::~PeerMasterServer() = default;

bool PeerMasterServer::Start()
{
    if (!m_socket->bind(QHostAddress(QHostAddress::LocalHost), m_config.port))
        return false;
    QObject::connect(m_socket.get(), &QUdpSocket::readyRead, m_socket.get(), [this] { ReadPending(); });
    return true;
}

uint16_t PeerMasterServer::Port() const
{
    return m_socket->localPort();
}

QString PeerMasterServer::ErrorText() const
{
    return m_socket->errorString();
}

void PeerMasterServer::ReadPending()
{
    // At least one read per readiness signal, even with nothing waiting: Qt listens to
    // the socket again only after a read.
    do {
        const QNetworkDatagram datagram = m_socket->receiveDatagram(kMasterBufferSize);
        if (!datagram.isValid())
            continue;
        ++m_received;
        if (m_config.silent)
            continue;
        const QByteArray data = datagram.data();
        const auto* bytes = reinterpret_cast<const uint8_t*>(data.constData());
        auto replies = MasterReplies(bytes, size_t(data.size()), m_servers, m_config);
        if (m_extra && replies.empty())
            replies = m_extra(bytes, size_t(data.size()));
        for (const std::vector<uint8_t>& reply : replies)
            m_socket->writeDatagram(reinterpret_cast<const char*>(reply.data()), qint64(reply.size()),
                                    datagram.senderAddress(), datagram.senderPort());
    } while (m_socket->hasPendingDatagrams());
}

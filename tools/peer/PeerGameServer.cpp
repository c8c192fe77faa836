#include "peer/PeerGameServer.h"

#include <QNetworkDatagram>

PeerGameServer::PeerGameServer(GameServerConfig config)
    : m_state(std::move(config)), m_socket(std::make_unique<QUdpSocket>())
{
    m_protocols.push_back(&RespondToHandshake);
}

PeerGameServer::~PeerGameServer() = default;

bool PeerGameServer::Start()
{
    // Loopback only: nothing outside this machine can reach a test peer.
    if (!m_socket->bind(QHostAddress(QHostAddress::LocalHost), m_state.Config().port))
        return false;
    QObject::connect(m_socket.get(), &QUdpSocket::readyRead, m_socket.get(), [this] { ReadPending(); });
    return true;
}

uint16_t PeerGameServer::Port() const
{
    return m_socket->localPort();
}

QString PeerGameServer::ErrorText() const
{
    return m_socket->errorString();
}

void PeerGameServer::ReadPending()
{
    while (m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram datagram = m_socket->receiveDatagram(kMaxDatagram);
        ++m_received;
        if (m_state.Config().silent || !datagram.isValid())
            continue;
        const QByteArray data = datagram.data();
        const PeerAddress from{datagram.senderAddress().toIPv4Address(), uint16_t(datagram.senderPort())};
        for (const Protocol& protocol : m_protocols) {
            const PeerResponse response =
                protocol(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()), from, m_state);
            if (!response.handled)
                continue;
            if (response.reply) {
                const QByteArray reply(reinterpret_cast<const char*>(response.reply->data()),
                                       qsizetype(response.reply->size()));
                m_socket->writeDatagram(reply, datagram.senderAddress(), datagram.senderPort());
            }
            break;
        }
    }
}

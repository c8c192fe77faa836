#include "peer/PeerGameServer.h"

#include "peer/QueryResponder.h"

#include <QNetworkDatagram>
#include <QRandomGenerator>
#include <QTimer>

PeerGameServer::PeerGameServer(GameServerConfig config)
    : m_state(std::move(config)), m_socket(std::make_unique<QUdpSocket>())
{
    m_protocols.push_back(&RespondToHandshake);
    m_protocols.push_back(&RespondToQuery);
}

PeerGameServer::~PeerGameServer() = default;

bool PeerGameServer::Start()
{
    // Loopback unless told otherwise: nothing outside this machine can reach a test peer.
    if (!m_socket->bind(m_bindAddress, m_state.Config().port))
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
    // At least one read per readiness signal, even with nothing waiting: Qt listens to
    // the socket again only after a read.
    do {
        const QNetworkDatagram datagram = m_socket->receiveDatagram(kMaxDatagram);
        if (!datagram.isValid())
            continue;
        ++m_received;
        const GameServerConfig& config = m_state.Config();
        if (config.silent)
            continue;
        if (config.lossRate > 0.0 && QRandomGenerator::global()->generateDouble() < config.lossRate)
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
                const QHostAddress to = datagram.senderAddress();
                const quint16 toPort = quint16(datagram.senderPort());
                if (config.delayMs > 0) {
                    QUdpSocket* socket = m_socket.get();
                    QTimer::singleShot(config.delayMs, Qt::PreciseTimer, socket,
                                       [socket, reply, to, toPort] { socket->writeDatagram(reply, to, toPort); });
                } else {
                    m_socket->writeDatagram(reply, to, toPort);
                }
            }
            break;
        }
    } while (m_socket->hasPendingDatagrams());
}

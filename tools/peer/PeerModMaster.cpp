#include "peer/PeerModMaster.h"

#include "peer/ModMasterResponder.h"

#include <QFile>
#include <QNetworkDatagram>

PeerModMaster::PeerModMaster(ModMasterConfig config)
    : m_config(std::move(config)), m_socket(std::make_unique<QUdpSocket>())
{
}

PeerModMaster::~PeerModMaster() = default;

bool PeerModMaster::Start()
{
    if (!m_socket->bind(QHostAddress(QHostAddress::LocalHost), m_config.port))
        return false;
    QObject::connect(m_socket.get(), &QUdpSocket::readyRead, m_socket.get(), [this] { ReadPending(); });
    return true;
}

uint16_t PeerModMaster::Port() const
{
    return m_socket->localPort();
}

QString PeerModMaster::ErrorText() const
{
    return m_socket->errorString();
}

void PeerModMaster::ReadPending()
{
    do {
        const QNetworkDatagram datagram = m_socket->receiveDatagram(2048);
        if (!datagram.isValid())
            continue;
        ++m_received;
        const QByteArray data = datagram.data();
        std::optional<int32_t> notice;
        const PeerDatagrams replies = ModMasterReplies(reinterpret_cast<const uint8_t*>(data.constData()),
                                                       size_t(data.size()), m_config, &notice);
        if (notice) {
            m_notices.push_back(*notice);
            if (!m_config.noticeLog.empty()) {
                QFile log(QString::fromStdString(m_config.noticeLog));
                if (log.open(QIODevice::Append | QIODevice::Text))
                    log.write(QByteArray::number(*notice) + "\n");
            }
        }
        for (const std::vector<uint8_t>& reply : replies)
            m_socket->writeDatagram(reinterpret_cast<const char*>(reply.data()), qint64(reply.size()),
                                    datagram.senderAddress(), datagram.senderPort());
    } while (m_socket->hasPendingDatagrams());
}

#pragma once
// An in-process game server on 127.0.0.1 that answers query requests with crafted
// datagrams, for driving the query of a server record over real UDP.
#include "ReplyBuilder.h"
#include "browser/query/BrowserClock.h"

#include <QHostAddress>
#include <QTimer>
#include <QUdpSocket>

#include <functional>
#include <map>
#include <string>
#include <vector>

class FakeGameServer
{
public:
    // Port 0 takes any free port. A given port is bound exclusively; Bound() tells
    // whether that worked (another program may hold it).
    explicit FakeGameServer(quint16 port = 0)
    {
        m_bound = m_socket.bind(QHostAddress(QHostAddress::LocalHost), port, QAbstractSocket::DontShareAddress);
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { Receive(); });
    }

    bool Bound() const { return m_bound; }
    quint16 Port() const { return m_socket.localPort(); }

    // Replies per request kind; an empty list leaves that request unanswered.
    std::vector<std::vector<uint8_t>> infoReplies;
    std::vector<std::vector<uint8_t>> playersReplies;
    std::vector<std::vector<uint8_t>> rulesReplies;
    int delayMs = 0;

    int infoRequests = 0;
    std::map<quint16, int> infoRequestsFrom; // by the client's port
    int playersRequests = 0;
    int rulesRequests = 0;
    double lastReplySent = 0.0; // clock time of the last reply sent
    QHostAddress lastClient;
    quint16 lastClientPort = 0;

private:
    void Receive()
    {
        while (m_socket.hasPendingDatagrams()) {
            QByteArray data(int(m_socket.pendingDatagramSize()), 0);
            QHostAddress from;
            quint16 fromPort = 0;
            m_socket.readDatagram(data.data(), data.size(), &from, &fromPort);
            lastClient = from;
            lastClientPort = fromPort;
            const QByteArray command = data.mid(4);
            const std::vector<std::vector<uint8_t>>* replies = nullptr;
            if (command == QByteArray("infostring\n", 12)) {
                ++infoRequests;
                ++infoRequestsFrom[fromPort];
                replies = &infoReplies;
            } else if (command == QByteArray("players", 8)) {
                ++playersRequests;
                replies = &playersReplies;
            } else if (command == QByteArray("rules", 6)) {
                ++rulesRequests;
                replies = &rulesReplies;
            }
            if (!replies || replies->empty())
                continue;
            const auto toSend = *replies;
            auto send = [this, toSend, from, fromPort] {
                lastReplySent = BrowserClockNow();
                for (const auto& bytes : toSend)
                    m_socket.writeDatagram(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()), from,
                                           fromPort);
            };
            if (delayMs > 0)
                QTimer::singleShot(delayMs, Qt::PreciseTimer, &m_socket, send);
            else
                send();
        }
    }

    QUdpSocket m_socket;
    bool m_bound = false;
};

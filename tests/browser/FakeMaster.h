#pragma once
// An in-process master on 127.0.0.1 that records the requests it gets and answers
// them from a script, plus a document that keeps what the exchange delivers.
#include "app/text/ServiceAddressList.h"
#include "browser/master/MasterDocument.h"
#include "browser/master/MasterProtocol.h"

#include <QHostAddress>
#include <QUdpSocket>

#include <functional>
#include <vector>

class FakeMaster
{
public:
    FakeMaster()
    {
        m_socket.bind(QHostAddress(QHostAddress::LocalHost), 0);
        QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { Receive(); });
    }
    quint16 Port() const { return m_socket.localPort(); }

    // Answers a request (the raw datagram) with zero or more datagrams.
    std::function<std::vector<std::vector<uint8_t>>(const std::vector<uint8_t>&)> answer;
    std::vector<std::vector<uint8_t>> requests;

    // Sends a datagram to the sender of the last request (an answer held back).
    void SendToLastClient(const std::vector<uint8_t>& datagram)
    {
        m_socket.writeDatagram(reinterpret_cast<const char*>(datagram.data()), qint64(datagram.size()), m_lastFrom,
                               m_lastFromPort);
    }

private:
    void Receive()
    {
        while (m_socket.hasPendingDatagrams()) {
            QByteArray data(int(m_socket.pendingDatagramSize()), 0);
            QHostAddress from;
            quint16 fromPort = 0;
            m_socket.readDatagram(data.data(), data.size(), &from, &fromPort);
            m_lastFrom = from;
            m_lastFromPort = fromPort;
            requests.emplace_back(data.begin(), data.end());
            if (!answer)
                continue;
            for (const auto& reply : answer(requests.back()))
                m_socket.writeDatagram(reinterpret_cast<const char*>(reply.data()), qint64(reply.size()), from,
                                       fromPort);
        }
    }
    QUdpSocket m_socket;
    QHostAddress m_lastFrom;
    quint16 m_lastFromPort = 0;
};

class TestDocument : public MasterDocument
{
public:
    void AddMasterServer(const std::string& address, int port) override { added.push_back({address, port}); }
    bool QuickStartMode() const override { return quickStart; }
    int UnfilteredCount() const override { return unfiltered; }
    void OnServerData() override { ++serverDataCalls; }
    ServiceAddressList& Services() override { return services; }

    std::vector<MasterEntry> added;
    bool quickStart = false;
    int unfiltered = 0;
    int serverDataCalls = 0;
    ServiceAddressList services;
};

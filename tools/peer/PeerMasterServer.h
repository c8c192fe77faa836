#pragma once
// The peer master server on 127.0.0.1: lists game servers in batches with keys and
// filters and answers the server-data exchange.
#include "peer/MasterResponder.h"

#include <QUdpSocket>
#include <functional>

#include <memory>
#include <vector>

class PeerMasterServer
{
public:
    explicit PeerMasterServer(MasterServerConfig config);
    ~PeerMasterServer();

    bool Start();
    uint16_t Port() const;
    QString ErrorText() const;

    void AddServer(MasterListing listing) { m_servers.push_back(std::move(listing)); }
    MasterServerConfig& Config() { return m_config; }
    int RequestsReceived() const { return m_received; }
    // Answers the datagrams the master protocol does not know (the custom-game counts).
    using ExtraResponder = std::function<std::vector<std::vector<uint8_t>>(const uint8_t*, size_t)>;
    void SetExtraResponder(ExtraResponder responder) { m_extra = std::move(responder); }

private:
    void ReadPending();

    MasterServerConfig m_config;
    std::vector<MasterListing> m_servers;
    std::unique_ptr<QUdpSocket> m_socket;
    int m_received = 0;
    ExtraResponder m_extra;
};

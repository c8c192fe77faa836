#pragma once
// The peer custom-game master on 127.0.0.1: lists its games page by page and keeps
// the download notices it receives (and appends them to a log file when asked).
#include "peer/ModMasterConfig.h"

#include <QUdpSocket>
#include <memory>
#include <vector>

class PeerModMaster
{
public:
    explicit PeerModMaster(ModMasterConfig config);
    ~PeerModMaster();
    bool Start();
    uint16_t Port() const;
    QString ErrorText() const;
    ModMasterConfig& Config() { return m_config; }
    const std::vector<int32_t>& Notices() const { return m_notices; }
    int RequestsReceived() const { return m_received; }

private:
    void ReadPending();
    ModMasterConfig m_config;
    std::unique_ptr<QUdpSocket> m_socket;
    std::vector<int32_t> m_notices;
    int m_received = 0;
};

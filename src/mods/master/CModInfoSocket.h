#pragma once
// The datagram socket of the count exchange with a master server: asks how many
// servers and players run each custom game and adds the numbers to the records.
// Re-sends a silent request after 1, 2, 4 and 8 seconds. Bounded: kMaxPages pages,
// kMaxSeconds in all, and a continuation key that does not advance ends it.
#include "mods/catalogue/CModRecord.h"
#include "mods/master/ModDatagramSocket.h"
#include "mods/master/ModMasterProtocol.h"

#include <functional>

class CModInfoSocket : public ModDatagramSocket
{
public:
    static constexpr int kTries = 3;
    static constexpr double kFirstWait = 1.0;
    static constexpr int kMaxPages = 64;
    static constexpr double kMaxSeconds = 20.0;

    using Clock = std::function<double()>;

    // list: the records to count into; it must outlive the socket.
    CModInfoSocket(ModList& list, Clock clock);
    void SendCountRequest(const std::string& key);
    void OnDatagram(const uint8_t* data, size_t size) override;
    // The periodic tick: re-sends or gives up. True once the exchange has ended.
    bool Tick();

    bool Finished() const { return m_finished; }
    bool Failed() const { return m_failed; }
    int Sends() const { return m_sends; }
    int Pages() const { return m_pages; }

private:
    void Resend();

    ModList& m_list;
    Clock m_clock;
    std::vector<uint8_t> m_request;
    std::string m_key;
    bool m_finished = false;
    bool m_failed = false;
    int m_triesLeft = kTries;
    double m_wait = kFirstWait;
    double m_lastSend = 0.0;
    double m_firstSend = -1.0;
    int m_sends = 0;
    int m_pages = 0;
};

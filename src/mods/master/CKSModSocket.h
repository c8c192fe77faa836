#pragma once
// The datagram socket of the list exchange with one custom-game master: asks for the
// list page by page and collects the records. Bounded: at most kMaxPages pages and
// kMaxRecords records, and a next position asked before ends the list (a copy of
// the page that asked for the position now awaited is ignored).
#include "mods/catalogue/CModRecord.h"
#include "mods/master/ModDatagramSocket.h"
#include "mods/master/ModMasterProtocol.h"

#include <set>

class CKSModSocket : public ModDatagramSocket
{
public:
    static constexpr int kMaxPages = 256;
    static constexpr int kMaxRecords = 4096;

    CKSModSocket();
    void SendListRequest(int32_t position);
    // Notes that a page at position is asked for (SendListRequest does it before sending).
    void ExpectPage(int32_t position);
    void SendDownloadNotice(int32_t uniqueId);
    void OnDatagram(const uint8_t* data, size_t size) override;

    bool Done() const { return m_done; }
    int Pages() const { return m_pages; }
    int Dropped() const { return m_dropped; }
    ModList& Result() { return m_result; }

private:
    bool m_done = true;
    int m_pages = 0;
    int m_dropped = 0;
    std::set<int32_t> m_asked;
    int32_t m_lastAsked = 0;
    ModList m_result;
};

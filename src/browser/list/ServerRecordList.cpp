#include "browser/list/ServerRecordList.h"

#include "app/text/Messages.h"
#include "app/text/TextCase.h"
#include "browser/record/CServerInfo.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>

ServerRecordList::~ServerRecordList()
{
    DeleteAll();
}

CServerInfo* ServerRecordList::AddServer(const std::string& address, int port, bool noDuplicateCheck)
{
    if (port == 0)
        port = kDefaultPort;
    if (!noDuplicateCheck) {
        for (CServerInfo* r = m_head; r; r = r->next)
            if (r->port == port && SameText(r->address, address))
                return r;
    }
    auto* record = new (std::nothrow) CServerInfo(address, port);
    if (!record) {
        ShowMessage(kMsgOutOfMemory);
        return nullptr;
    }
    record->game = kNewRecordGame;
    record->name = address;
    record->next = m_head;
    m_head = record;
    return record;
}

bool ServerRecordList::RemoveServer(CServerInfo* record)
{
    for (CServerInfo** link = &m_head; *link; link = &(*link)->next) {
        if (*link == record) {
            *link = record->next;
            delete record;
            return true;
        }
    }
    return false;
}

void ServerRecordList::PushFront(CServerInfo* record)
{
    record->next = m_head;
    m_head = record;
}

CServerInfo* ServerRecordList::Release(CServerInfo* record)
{
    for (CServerInfo** link = &m_head; *link; link = &(*link)->next) {
        if (*link == record) {
            *link = record->next;
            record->next = nullptr;
            return record;
        }
    }
    return nullptr;
}

std::vector<CServerInfo*> ServerRecordList::ReleaseAll()
{
    std::vector<CServerInfo*> records;
    for (CServerInfo* r = m_head; r;) {
        CServerInfo* next = r->next;
        r->next = nullptr;
        records.push_back(r);
        r = next;
    }
    m_head = nullptr;
    return records;
}

void ServerRecordList::DeleteAll(bool keepFavorites)
{
    CServerInfo** link = &m_head;
    while (CServerInfo* r = *link) {
        if (keepFavorites && r->favorite) {
            link = &r->next;
            continue;
        }
        *link = r->next;
        delete r;
    }
}

int ServerRecordList::Count() const
{
    int n = 0;
    for (const CServerInfo* r = m_head; r; r = r->next)
        ++n;
    return n;
}

int ServerRecordList::CountShown() const
{
    int n = 0;
    for (const CServerInfo* r = m_head; r; r = r->next)
        n += r->IsFiltered() ? 0 : 1;
    return n;
}

int ServerRecordList::PlayersShown() const
{
    // Counts come from the servers' replies: the sum saturates instead of overflowing.
    int64_t n = 0;
    for (const CServerInfo* r = m_head; r; r = r->next)
        if (!r->IsFiltered())
            n = std::clamp<int64_t>(n + r->currentplayers, 0, std::numeric_limits<int>::max());
    return int(n);
}

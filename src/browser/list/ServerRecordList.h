#pragma once
// An owned list of server records linked through their next link, new records at the
// head: the record store of a server list document.
#include <string>
#include <vector>

class CServerInfo;

class ServerRecordList
{
public:
    // A port of 0 means the game's old default port.
    static constexpr int kDefaultPort = 26000;
    static constexpr const char* kNewRecordGame = "KESTREL";
    static constexpr int kMsgOutOfMemory = 40;

    ServerRecordList() = default;
    ~ServerRecordList();
    ServerRecordList(const ServerRecordList&) = delete;
    ServerRecordList& operator=(const ServerRecordList&) = delete;

    // The record of that address (any letter case) and port, or a new one at the head
    // named after its address. With noDuplicateCheck a new record is always made.
    CServerInfo* AddServer(const std::string& address, int port, bool noDuplicateCheck = false);
    // Unlinks and destroys the record; false when it is not in the list.
    bool RemoveServer(CServerInfo* record);
    // Destroys every record, or every one that is not a favourite.
    void DeleteAll(bool keepFavorites = false);

    // Takes ownership of a record that belongs to no list and puts it at the head.
    void PushFront(CServerInfo* record);
    // Unlinks a record without destroying it; the caller owns it. Null when absent.
    CServerInfo* Release(CServerInfo* record);
    // Unlinks every record, in list order; the caller owns them.
    std::vector<CServerInfo*> ReleaseAll();

    CServerInfo* Head() const { return m_head; }
    int Count() const;
    // Records not filtered, and the players on them.
    int CountShown() const;
    int PlayersShown() const;

private:
    CServerInfo* m_head = nullptr;
};

#pragma once
// What a master exchange needs of the server list document it fills: a place for
// the addresses, the quick-start limit and the server-data flag. The list document
// implements it; tests and kestrel-query use small ones of their own.
#include <string>

class ServiceAddressList;

class MasterDocument
{
public:
    // Quick-start lists take no more than this many unfiltered records from masters.
    static constexpr int kQuickStartLimit = 200;

    virtual ~MasterDocument() = default;

    // Adds a server record for an address a master listed (no duplicate check).
    virtual void AddMasterServer(const std::string& address, int port) = 0;
    virtual bool QuickStartMode() const { return false; }
    virtual int UnfilteredCount() const { return 0; }

    bool ServerDataReceived() const { return m_serverDataReceived; }
    void SetServerDataReceived(bool received) { m_serverDataReceived = received; }
    // A server-data reply was handled; the open games dialog redisplays its list.
    virtual void OnServerData() {}
    // The list that a server-data reply updates.
    virtual ServiceAddressList& Services();

private:
    bool m_serverDataReceived = false;
};

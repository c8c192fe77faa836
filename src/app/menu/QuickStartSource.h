#pragma once
// Where quick start finds its candidates: a server list that asks the master servers
// for addresses, queries them and orders them best first. The server browser
// provides one; without it quick start finds no server.
#include "app/menu/JoinTarget.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QuickStartSource
{
public:
    virtual ~QuickStartSource() = default;

    // Starts asking the master servers for the list.
    virtual void BeginMasterExchange() = 0;
    // Runs the pending network work once (sockets, refresh slots).
    virtual void Work() = 0;
    virtual bool MasterExchangeInProgress() = 0;
    // The list's own status text while the exchange runs.
    virtual std::string StatusText() = 0;
    // Addresses received so far.
    virtual int AddressCount() = 0;
    // Starts querying every address received.
    virtual void BeginQuerying() = 0;
    // Servers that have neither answered nor failed yet.
    virtual int Unanswered() = 0;
    // Most queries the list keeps in flight at once.
    virtual int ParallelQueryLimit() = 0;
    // The answered servers, best first.
    virtual std::vector<JoinTarget> OrderedCandidates() = 0;
};

// Makes the source for one quick start; the server browser installs it. Without a
// factory, quick start reports that no server was found.
using QuickStartFactory = std::function<std::unique_ptr<QuickStartSource>()>;
void SetQuickStartFactory(QuickStartFactory factory);
std::unique_ptr<QuickStartSource> MakeQuickStartSource();

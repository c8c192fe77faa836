#include "query/MasterFetch.h"

#include "app/text/ServiceAddressList.h"
#include "browser/list/RefreshLoop.h"
#include "browser/master/MasterDocument.h"
#include "browser/master/MasterListRequest.h"

#include <set>

namespace {

class ListDocument : public MasterDocument
{
public:
    void AddMasterServer(const std::string& address, int port) override
    {
        if (m_seen.insert({address, port}).second)
            entries.push_back(ServerAddress{address, port});
    }
    ServiceAddressList& Services() override { return services; }

    std::vector<ServerAddress> entries;
    ServiceAddressList services;

private:
    std::set<std::pair<std::string, int>> m_seen;
};

} // namespace

bool FetchMasterList(const ServerAddress& master, const std::string& filter, std::vector<ServerAddress>& entries)
{
    ListDocument doc;
    doc.services.AppendAddress(ServiceAddressList::Section::Master, master.host, uint16_t(master.port));
    int result = -1;
    MasterListRequest request(doc, doc.services, [&](MasterDocument&, int r) { result = r; });
    request.Start(filter);
    while (result < 0) {
        WaitForNetworkEvents();
        request.Think();
    }
    entries = std::move(doc.entries);
    return result == MasterListRequest::kComplete;
}

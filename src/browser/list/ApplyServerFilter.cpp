#include "browser/list/ApplyServerFilter.h"

#include "browser/list/FilterRules.h"
#include "browser/list/ProxyGroups.h"
#include "browser/record/CServerInfo.h"

void ApplyServerFilter(CServerInfo* head, const ServerFilter& filter, bool refreshDone)
{
    ProxyGroups groups;
    for (CServerInfo* r = head; r; r = r->next) {
        r->SetFiltered(false);
        // Group counts of an earlier application must not show on a row that is not
        // grouped this time (the proxy filter turns grouping off).
        r->proxyMaxplayers = 0;
        r->proxyCurrentplayers = 0;
        if (FirstHidingRule(filter, *r, refreshDone) != FilterRule::None) {
            r->SetFiltered(true);
            continue;
        }
        // With the proxy filter on, every proxy stays a row of its own.
        if (r->proxy && !filter.proxyFilter)
            groups.Offer(*r);
    }
}

#pragma once
// Sets the filtered flag of every record of a list: a record is hidden by the first
// filter rule that matches, and proxies of one target are grouped into one row.
#include "browser/list/ServerFilter.h"

class CServerInfo;

// head: the first record of a list linked through next. refreshDone: the list has had
// its first full refresh (the ping filter then hides servers that never answered).
void ApplyServerFilter(CServerInfo* head, const ServerFilter& filter, bool refreshDone);

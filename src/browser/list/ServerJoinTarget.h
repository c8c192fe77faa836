#pragma once
// What a join needs, taken from a browser's server record.
#include "app/menu/JoinTarget.h"

class CServerInfo;

// A record whose address text already carries its port (for example "host:27016")
// is joined with that text as it stands.
JoinTarget JoinTargetFor(const CServerInfo& server);

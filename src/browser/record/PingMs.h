#pragma once
// A record's ping (seconds) in whole milliseconds, truncated, as the filters, rows and
// rankings use it. Saturates instead of overflowing for absurd values from a file.
#include "platform/NumberText.h"

inline int32_t PingMs(double svping)
{
    return TruncateToInt(svping * 1000.0);
}

// The milliseconds a list shows for a ping: a measured ping below one millisecond (a
// server on the LAN or on this machine) shows as 1, since 0 means "not measured".
inline int32_t ShownPingMs(double svping)
{
    const int32_t ms = PingMs(svping);
    return ms == 0 && svping > 0.0 ? 1 : ms;
}

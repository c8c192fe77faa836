#pragma once
// A record's ping (seconds) in whole milliseconds, truncated, as the filters, rows and
// rankings use it. Saturates instead of overflowing for absurd values from a file.
#include "platform/NumberText.h"

inline int32_t PingMs(double svping)
{
    return TruncateToInt(svping * 1000.0);
}

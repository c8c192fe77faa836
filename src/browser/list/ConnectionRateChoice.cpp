#include "browser/list/ConnectionRateChoice.h"

#include <cstdlib>

int RateEntryFor(int32_t rate)
{
    // Checked from the fastest down, as the selector always did.
    for (int entry = int(kRateEntryRates.size()); entry >= 1; --entry)
        if (std::abs(int64_t(rate) - kRateEntryRates[size_t(entry - 1)]) <= kRateTolerance)
            return entry;
    return 0;
}

int32_t RateForEntry(int entry)
{
    if (entry < 1 || entry > int(kRateEntryRates.size()))
        return 0;
    return kRateEntryRates[size_t(entry - 1)];
}

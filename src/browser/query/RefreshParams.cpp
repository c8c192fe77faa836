#include "browser/query/RefreshParams.h"

#include "app/settings/CommandLine.h"
#include "platform/NumberText.h"

#include <cmath>

double DefaultQueryTimeout()
{
    const std::string value = OptionValue("-timeout");
    if (!value.empty()) {
        // A zero, negative or unreadable value would re-send on every pass.
        const double seconds = ParseDouble(value);
        if (std::isfinite(seconds) && seconds > 0.0)
            return seconds;
    }
    return RefreshParams::kDefaultTimeout;
}

int32_t DefaultQueryRetries()
{
    const std::string value = OptionValue("-retries");
    if (!value.empty() && ((value[0] >= '0' && value[0] <= '9') || value[0] == '+')) {
        const int32_t retries = ParseInt(value);
        if (retries >= 0)
            return retries;
    }
    return RefreshParams::kDefaultRetries;
}

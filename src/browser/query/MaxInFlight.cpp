#include "browser/query/MaxInFlight.h"

#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <array>

namespace {

struct RateSockets
{
    int32_t above;
    int sockets;
};
constexpr std::array<RateSockets, 3> kSocketsByRate = {{
    {5100, 100},
    {3600, 40},
    {2600, 20},
}};
constexpr int kLowestRateSockets = 15;

int32_t g_rate = kDefaultConnectionRate;

} // namespace

int MaxInFlightFor(int32_t rate, int socketBudget, const int* maxSocketsOption)
{
    int n = kLowestRateSockets;
    for (const RateSockets& step : kSocketsByRate) {
        if (rate > step.above) {
            n = step.sockets;
            break;
        }
    }
    n = std::min(n, socketBudget);
    if (maxSocketsOption)
        n = *maxSocketsOption;
    return std::max(n, kMinInFlight);
}

int MaxInFlightForRate(int32_t rate)
{
    std::string value;
    if (FindOption("-maxsockets", &value) && !value.empty()) {
        const char c = value[0];
        if ((c >= '0' && c <= '9') || c == '-' || c == '+') {
            const int option = ParseInt(value);
            return MaxInFlightFor(rate, Launcher().socketBudget, &option);
        }
    }
    return MaxInFlightFor(rate, Launcher().socketBudget, nullptr);
}

int32_t PlayerConnectionRate()
{
    return g_rate;
}

void SetPlayerConnectionRate(int32_t rate)
{
    g_rate = rate;
}

#include "browser/BrowserClock.h"

#include <chrono>

namespace {
std::function<double()>& Source()
{
    static std::function<double()> source;
    return source;
}

double SteadySeconds()
{
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    // Starts above zero: a send time of zero means "nothing sent yet".
    return 1.0 + duration<double>(steady_clock::now() - start).count();
}
} // namespace

double BrowserClockNow()
{
    const auto& source = Source();
    return source ? source() : SteadySeconds();
}

void SetBrowserClock(std::function<double()> clock)
{
    Source() = std::move(clock);
}

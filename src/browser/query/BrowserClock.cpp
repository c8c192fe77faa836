#include "browser/query/BrowserClock.h"

#include "app/engine/EngineHost.h"

namespace {
std::function<double()>& Source()
{
    static std::function<double()> source;
    return source;
}
} // namespace

double BrowserClockNow()
{
    const auto& source = Source();
    // The engine's clock entry while an engine is loaded, the launcher clock otherwise.
    return source ? source() : TheEngineHost().Clock();
}

void SetBrowserClock(std::function<double()> clock)
{
    Source() = std::move(clock);
}

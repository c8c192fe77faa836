#include "app/engine/DisplaySwitchHooks.h"

namespace {

std::function<void()>& Before()
{
    static std::function<void()> hook;
    return hook;
}

std::function<void()>& After()
{
    static std::function<void()> hook;
    return hook;
}

} // namespace

void SetDisplaySwitchHooks(std::function<void()> before, std::function<void()> after)
{
    Before() = std::move(before);
    After() = std::move(after);
}

void BeforeDisplaySwitch()
{
    if (Before())
        Before()();
}

void AfterDisplaySwitch()
{
    if (After())
        After()();
}

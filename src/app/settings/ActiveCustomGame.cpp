#include "app/settings/ActiveCustomGame.h"

namespace {
std::optional<ActiveCustomGameInfo> g_active;
}

const ActiveCustomGameInfo* ActiveCustomGame()
{
    return g_active ? &*g_active : nullptr;
}

void SetActiveCustomGame(std::optional<ActiveCustomGameInfo> info)
{
    g_active = std::move(info);
}

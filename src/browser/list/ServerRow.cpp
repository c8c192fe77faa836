#include "browser/list/ServerRow.h"

#include "app/settings/CommandLine.h"
#include "browser/record/CServerInfo.h"
#include "browser/record/PingMs.h"

#include <array>

namespace {

struct BarStep
{
    int32_t upTo; // highest milliseconds of the step
    int bars;
};

// Up to 500 ms the bars are good, above bad; a ping above 32767 ms shows "?".
constexpr int32_t kLastGoodPing = 500;
constexpr int32_t kHighestShownPing = 32767;
constexpr std::array<BarStep, 10> kBarSteps = {{
    {100, 8},
    {175, 7},
    {250, 6},
    {350, 5},
    {500, 4},
    {700, 3},
    {900, 2},
    {1100, 1},
    {1300, 1},
    {kHighestShownPing, 1},
}};
constexpr const char* kUnmeasuredPingNumber = "9999";

// Cuts a text to at most limit bytes without splitting a UTF-8 sequence.
std::string CutText(const std::string& text, size_t limit)
{
    if (text.size() <= limit)
        return text;
    size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return text.substr(0, n);
}

const char* TypeIcon(const CServerInfo& r)
{
    if (r.proxy)
        return "proxy";
    if (r.svtype == 'd')
        return "dedicate";
    if (r.svtype == 'l')
        return "listen";
    return "";
}

const char* OsIcon(const CServerInfo& r)
{
    if (r.svos == 'w')
        return "windows";
    if (r.svos == 'l')
        return "linux";
    return "";
}

} // namespace

std::string ServerIconPath(const std::string& iconName)
{
    return "gfx/shell/" + iconName + ".bmp";
}

PingBars PingBarsFor(int32_t pingMs, bool numericPing)
{
    PingBars result;
    if (pingMs >= 1) {
        for (const BarStep& step : kBarSteps) {
            if (pingMs <= step.upTo) {
                result.bars = step.bars;
                result.good = pingMs <= kLastGoodPing;
                break;
            }
        }
    }
    if (numericPing)
        result.number = pingMs == 0 ? kUnmeasuredPingNumber : std::to_string(pingMs) + " ";
    return result;
}

ServerRow ServerRowFor(const CServerInfo& r, bool numericPing)
{
    ServerRow row;
    row.favoriteIcon = r.favorite ? "favorite" : "nonfav";
    row.passwordIcon = r.password ? "lock" : "unlock";
    row.typeIcon = TypeIcon(r);
    row.osIcon = OsIcon(r);
    row.name = " " + CutText(r.name, ServerRow::kMaxNameShown);
    row.ping = PingBarsFor(ShownPingMs(r.svping), numericPing);
    row.map = " " + r.map;
    row.game = " " + r.game;
    const bool proxyCounts = r.proxy && r.proxyMaxplayers != 0;
    const int32_t current = proxyCounts ? r.proxyCurrentplayers : r.currentplayers;
    const int32_t max = proxyCounts ? r.proxyMaxplayers : r.maxplayers;
    row.players = " " + std::to_string(current) + "/" + std::to_string(max);
    row.greyedName = r.protocol != 0 && r.protocol != kLauncherProtocol;
    row.proxyColours = r.proxy;
    return row;
}

ServerRow ServerRowFor(const CServerInfo& record)
{
    return ServerRowFor(record, FindOption("-numericping"));
}

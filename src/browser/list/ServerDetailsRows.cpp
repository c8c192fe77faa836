#include "browser/list/ServerDetailsRows.h"

#include "browser/record/CServerInfo.h"
#include "browser/record/PingMs.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

KSListCell TextCell(const std::string& text)
{
    KSListCell cell;
    cell.text = QString::fromStdString(text);
    return cell;
}

KSListCell NumberCell(int value)
{
    KSListCell cell = TextCell(std::to_string(value));
    cell.number = value;
    cell.hasNumber = true;
    return cell;
}

} // namespace

std::string PlayerTimeText(int seconds)
{
    seconds = std::max(seconds, 0);
    const int hours = seconds / kSecondsPerHour;
    const int minutes = seconds % kSecondsPerHour / kSecondsPerMinute;
    const int rest = seconds % kSecondsPerMinute;
    char text[64];
    if (hours > 0)
        std::snprintf(text, sizeof text, "%ih %02i:%02i", hours, minutes, rest);
    else
        std::snprintf(text, sizeof text, "%02i:%02i", minutes, rest);
    return text;
}

std::vector<KSListRow> PlayerRows(const CServerInfo& record)
{
    std::vector<KSListRow> rows;
    if (!record.players)
        return rows;
    const CServerInfo::PlayerSlots& playerSlots = *record.players;
    const size_t shown = std::min(size_t(std::max(record.currentplayers, 0)), playerSlots.size());
    for (size_t i = 0; i < shown; ++i) {
        const CPlayerInfo* player = playerSlots[i].get();
        if (!player)
            continue;
        KSListRow row;
        row.serial = uint32_t(i);
        row.cells = {NumberCell(player->id), TextCell(player->name), NumberCell(player->frags),
                     TextCell(PlayerTimeText(player->time))};
        row.cells[3].number = player->time;
        row.cells[3].hasNumber = true;
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<KSListRow> RuleRows(const CServerInfo& record)
{
    std::vector<KSListRow> rows;
    uint32_t serial = 0;
    for (const ServerRule& rule : record.rules) {
        KSListRow row;
        row.serial = serial++;
        row.cells = {TextCell(rule.key), TextCell(rule.value)};
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string AddressText(const CServerInfo& record)
{
    return record.address + ":" + std::to_string(record.port);
}

std::string PingText(const CServerInfo& record)
{
    return std::to_string(PingMs(record.svping)) + " ms.";
}

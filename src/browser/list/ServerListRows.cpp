#include "browser/list/ServerListRows.h"

#include "browser/list/ServerRow.h"
#include "browser/list/ServerSort.h"
#include "browser/record/CServerInfo.h"
#include "browser/record/PingMs.h"

namespace {

QColor ToColour(const RgbColour& c)
{
    return QColor(c.r, c.g, c.b);
}

void SetText(KSListCell& cell, const std::string& text)
{
    cell.text = QString::fromStdString(text);
}

} // namespace

void FillServerListRow(KSListRow& row, const CServerInfo& record, bool numericPing)
{
    const ServerRow content = ServerRowFor(record, numericPing);
    row.serial = record.serial;
    row.data = reinterpret_cast<quintptr>(&record);
    row.cells.resize(kServerListCells);
    row.cells[kCellFavorite].icon = content.favoriteIcon;
    row.cells[kCellPassword].icon = content.passwordIcon;
    row.cells[kCellType].icon = content.typeIcon;
    row.cells[kCellOs].icon = content.osIcon;
    SetText(row.cells[kCellName], content.name);
    row.cells[kCellName].number = content.greyedName ? kGreyedName : 0.0;
    KSListCell& ping = row.cells[kCellPing];
    SetText(ping, content.ping.number);
    ping.number = ShownPingMs(record.svping);
    ping.hasNumber = true;
    SetText(row.cells[kCellMap], content.map);
    SetText(row.cells[kCellGame], content.game);
    SetText(row.cells[kCellPlayers], content.players);
    if (content.proxyColours) {
        row.textColour = ToColour(kProxyText);
        row.selectedTextColour = ToColour(kProxySelectedText);
    } else {
        row.textColour = QColor();
        row.selectedTextColour = QColor();
    }
}

KSListRow ServerListRowFor(const CServerInfo& record, bool numericPing)
{
    KSListRow row;
    FillServerListRow(row, record, numericPing);
    return row;
}

int CompareServerRows(const KSListRow& a, const KSListRow& b, int column)
{
    const CServerInfo* x = RecordOfRow(a);
    const CServerInfo* y = RecordOfRow(b);
    if (!x || !y)
        return int(x != nullptr) - int(y != nullptr);
    return CompareServerColumn(*x, *y, column);
}

// The server browser's dialogs: the filter dialog and the details of one server, with
// sample servers made up here (the games lists are in BrowserListShots.cpp).
#include "Shot.h"

#include "BrowserSamples.h"
#include "browser/dialogs/CFilterDialog.h"
#include "browser/dialogs/CPlayerInfoDlg.h"
#include "browser/record/CServerInfo.h"

namespace {

// Shown in the dialog only: the shots never write the player's settings.
ServerFilter SampleFilter()
{
    ServerFilter filter;
    filter.empty = true;
    filter.ping = true;
    filter.pingMax = 350;
    filter.noProxies = true;
    filter.proxyFilter = true;
    return filter;
}

// A dialog that keeps the record it shows alive.
class DetailsShot : public CPlayerInfoDlg
{
public:
    explicit DetailsShot(std::unique_ptr<CServerInfo> record) : CPlayerInfoDlg(*record), m_record(std::move(record))
    {
        SetRefresh([] { return true; });
    }

private:
    std::unique_ptr<CServerInfo> m_record;
};

} // namespace

void AddBrowserShots(std::vector<Shot>& shots)
{
    shots.push_back({"server_filter", [] {
                         auto dialog = std::make_unique<CFilterDialog>("Settings");
                         dialog->SetFilter(SampleFilter());
                         return std::unique_ptr<QWidget>(std::move(dialog));
                     }});
    shots.push_back({"server_details", [] {
                         return std::unique_ptr<QWidget>(std::make_unique<DetailsShot>(SampleServerWithPlayers()));
                     }});
}

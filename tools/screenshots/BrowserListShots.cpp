// The games lists: the Internet games dialog with a few hundred made-up servers, and
// the LAN games dialog with a handful. Nothing is sent anywhere: the LAN dialog's
// broadcast goes to the loopback address, and the lists are filled here.
#include "Shot.h"

#include "BrowserSamples.h"
#include "browser/dialogs/CLan.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "browser/record/CServerInfo.h"

#include <QTemporaryDir>

namespace {

constexpr int kInternetServers = 320;
constexpr int kLanServers = 7;

std::string SampleAddress(int i)
{
    return "10.20." + std::to_string(i / 250) + "." + std::to_string(i % 250 + 1);
}

// The dialog writes its list file when it closes: into a temporary folder.
class InternetShot : public CNetGameDlg
{
public:
    InternetShot() : CNetGameDlg(nullptr, Setup())
    {
        for (int i = 0; i < kInternetServers; ++i)
            if (CServerInfo* r = Doc().AddServer(SampleAddress(i), 27015))
                FillSampleServer(*r, i);
        CNetGameDoc::SetRefreshDoneFlag(true);
        ApplyFilters(Filter());
    }

private:
    static CNetGameDoc::Setup Setup()
    {
        static QTemporaryDir folder;
        CNetGameDoc::Setup setup;
        setup.listPath = folder.filePath(QStringLiteral("favsvrs.dat"));
        setup.resolveServices = false;
        return setup;
    }
};

class LanShot : public CLan
{
public:
    LanShot() : CLan(nullptr, LoopbackSetup())
    {
        for (int i = 0; i < kLanServers; ++i)
            if (CServerInfo* r = Doc().AddServer("192.168.1." + std::to_string(20 + i), 27015 + i % 3)) {
                FillSampleServer(*r, i * 3);
                r->svping = 0.002 + 0.003 * i;
            }
        FillList();
    }

private:
    static CNetGameDoc::Setup LoopbackSetup()
    {
        CNetGameDoc::Setup setup = LanSetup();
        setup.lanTarget = QHostAddress(QHostAddress::LocalHost);
        return setup;
    }
};

} // namespace

void AddBrowserListShots(std::vector<Shot>& shots)
{
    shots.push_back({"internet_games", [] { return std::unique_ptr<QWidget>(std::make_unique<InternetShot>()); }});
    shots.push_back({"lan_games", [] { return std::unique_ptr<QWidget>(std::make_unique<LanShot>()); }});
}

// The create-server dialog and its server options dialog on the demo game.
#include "Shot.h"

#include "config/dialogs/CAdvancedMPDlg.h"
#include "config/dialogs/CCreateServerDlg.h"
#include "config/server/AdvancedServerOptions.h"

void AddServerShots(std::vector<Shot>& shots)
{
    shots.push_back({"create_server", [] { return std::unique_ptr<QWidget>(std::make_unique<CCreateServerDlg>(true)); }});
    shots.push_back({"server_options", [] {
                         // The dialog edits a description that must outlive it.
                         static std::unique_ptr<CServerDescription> description = LoadServerOptions();
                         if (!description)
                             return std::make_unique<QWidget>();
                         return std::unique_ptr<QWidget>(std::make_unique<CAdvancedMPDlg>(*description));
                     }});
}

// The first-start dialog, as the player sees it when no game tree was found: alone on
// the desktop (there is no skin yet), and after choosing a folder that holds no game.
#include "Shot.h"

#include "app/dialogs/FirstStartDlg.h"
#include "app/settings/GameTreeChoice.h"

#include <QDir>

namespace {

std::unique_ptr<QWidget> FirstStart()
{
    return std::make_unique<FirstStartDlg>(GameTreeChoice({}, QDir::tempPath()));
}

std::unique_ptr<QWidget> FirstStartRefused()
{
    auto dialog = std::make_unique<FirstStartDlg>(GameTreeChoice({}, QDir::tempPath()));
    dialog->UseFolder(QDir::homePath() + "/Downloads");
    return dialog;
}

} // namespace

void AddFirstStartShots(std::vector<Shot>& shots)
{
    shots.push_back({"first_start", FirstStart, false});
    shots.push_back({"first_start_refused", FirstStartRefused, false});
}

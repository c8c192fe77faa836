#include "config/dialogs/ConfigPages.h"

#include "app/dialogs/CConfigDlg.h"
#include "config/dialogs/CAudioDlg.h"
#include "config/dialogs/CGameOptionsDlg.h"
#include "config/dialogs/CKeyboardDlg.h"

void InstallConfigPages()
{
    CConfigDlg::AddPage("Controls", [](QWidget* owner) { CKeyboardDlg::Run(owner); });
    CConfigDlg::AddPage("Audio", [](QWidget* owner) { CAudioDlg::Run(owner); });
    CConfigDlg::AddPage("Game options", [](QWidget* owner) { CGameOptionsDlg::Run(owner); });
}

#include "browser/BrowserMenuActions.h"

#include "app/CKSMainDlg.h"
#include "app/MainMenuModel.h"
#include "browser/CLan.h"
#include "browser/CNetGameDlg.h"

void InstallBrowserMenuActions()
{
    CKSMainDlg::SetAction(kMenuInternetGames, [](QWidget* menu) {
        CNetGameDlg dialog(menu);
        dialog.DoModal();
    });
    CKSMainDlg::SetAction(kMenuLanGames, [](QWidget* menu) {
        CLan dialog(menu);
        dialog.DoModal();
    });
}

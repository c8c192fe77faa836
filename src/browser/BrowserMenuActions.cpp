#include "browser/BrowserMenuActions.h"

#include "app/CKSMainDlg.h"
#include "app/MainMenuModel.h"
#include "browser/CLan.h"
#include "browser/CLoginDlg.h"
#include "browser/CNetGameDlg.h"

void InstallBrowserMenuActions()
{
    CKSMainDlg::SetAction(kMenuInternetGames, [](QWidget* menu) {
        CNetGameDlg dialog(menu);
        // The first opening in a run asks a master for the service addresses first.
        if (CLoginDlg::RunIfNeeded(dialog.Doc(), dialog.Doc().Services(), menu))
            dialog.DoModal();
        else
            dialog.DiscardWithoutSaving();
    });
    CKSMainDlg::SetAction(kMenuLanGames, [](QWidget* menu) {
        CLan dialog(menu);
        dialog.DoModal();
    });
}

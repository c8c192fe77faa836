#include "browser/dialogs/BrowserMenuActions.h"

#include "app/dialogs/CKSMainDlg.h"
#include "app/menu/MainMenuModel.h"
#include "browser/dialogs/CLan.h"
#include "browser/dialogs/CLoginDlg.h"
#include "browser/dialogs/CNetGameDlg.h"

CNetGameDoc::Setup BrowserMenuSetup::LanListSetup()
{
    return CLan::LanSetup();
}

void InstallBrowserMenuActions(const BrowserMenuSetup& setup)
{
    CKSMainDlg::SetAction(kMenuInternetGames, [internet = setup.internet](QWidget* menu) {
        CNetGameDlg dialog(menu, internet);
        // The first opening in a run asks a master for the service addresses first.
        if (CLoginDlg::RunIfNeeded(dialog.Doc(), dialog.Doc().Services(), menu))
            dialog.DoModal();
        else
            dialog.DiscardWithoutSaving();
    });
    CKSMainDlg::SetAction(kMenuChatRooms, [internet = setup.internet](QWidget* menu) {
        CNetGameDlg dialog(menu, internet);
        if (!CLoginDlg::RunIfNeeded(dialog.Doc(), dialog.Doc().Services(), menu)) {
            dialog.DiscardWithoutSaving();
            return;
        }
        dialog.SwitchView();
        dialog.DoModal();
    });
    CKSMainDlg::SetAction(kMenuLanGames, [lan = setup.lan](QWidget* menu) {
        CLan dialog(menu, lan);
        dialog.DoModal();
    });
}

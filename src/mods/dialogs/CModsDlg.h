#pragma once
// The custom games dialog: the installed games and those a custom-game master offers,
// with their server and player counts; refresh, activate, deactivate, info and
// download.
#include "mods/catalogue/CModRecord.h"
#include "ui/CKSDialog.h"

class CODBlendBtn;
class CODKSListCtrl;

class CModsDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "dialog";
    static constexpr int kHeading = 541;
    static constexpr int kCommandWidth = 92;
    static constexpr int kCommandSpacing = 10;

    // refreshOnOpen: ask the masters as soon as the window is up.
    explicit CModsDlg(QWidget* parent = nullptr, bool refreshOnOpen = true);
    int exec() override;

    // The dialog's list (the installed games merged with offered ones).
    ModList& List() { return m_list; }
    // Shows offered records merged with the installed ones (pictures, tests).
    void ShowOffered(const ModList& offered);
    void Refresh();
    // Shows the list again after its records changed.
    void Redraw() { Fill(); }

private:
    void Fill();
    void UpdateButtons();
    CModRecord* Selected() const;
    void Activate();
    void Deactivate();
    void Info();
    void Download();

    ModList m_list;
    bool m_refreshOnOpen;
    CODKSListCtrl* m_rows = nullptr;
    CODBlendBtn* m_refresh = nullptr;
    CODBlendBtn* m_activate = nullptr;
    CODBlendBtn* m_deactivate = nullptr;
    CODBlendBtn* m_info = nullptr;
    CODBlendBtn* m_download = nullptr;
};

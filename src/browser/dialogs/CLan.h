#pragma once
// The LAN games dialog: finds game servers on the local network by broadcast, measures
// their ping and lists those of this game; the player joins one or creates one. While
// the game runs the dialog waits out of sight; when the player comes back it looks
// for servers again.
#include "browser/dialogs/GameScreenHandOff.h"
#include "browser/list/CNetGameDoc.h"
#include "browser/list/ServerListView.h"
#include "ui/CKSDialog.h"
#include "ui/IdleWork.h"

#include <memory>

class CODKSListCtrl;
class QLabel;

class CLan : public CKSDialog, protected NetGameDocView
{
    Q_OBJECT
public:
    static constexpr const char* kHeader = "head_lan";

    explicit CLan(QWidget* parent = nullptr, const CNetGameDoc::Setup& setup = LanSetup());
    ~CLan() override;

    // The LAN list reads no service addresses.
    static CNetGameDoc::Setup LanSetup();

    CNetGameDoc& Doc() const { return *m_doc; }
    CODKSListCtrl* List() const { return m_list; }
    QLabel* StatusLine() const { return m_status; }
    bool Searching() const { return m_searching; }
    // Out of sight while the engine has the screen after a join.
    bool HiddenForGame() const { return m_game.Hidden(); }

    // Empties the list and broadcasts again.
    void Refresh();
    void Join();
    void CreateGame();
    // Fills the list from the LAN records in the order of the sort keys.
    void FillList();

    bool OnIdle() override;

protected:
    // NetGameDocView: discovery and the ping pass are over, or the list is emptied.
    void OnListReplaced() override;
    void OnListEmptied() override;
    bool AtSafePoint() const override;

private:
    std::unique_ptr<CNetGameDoc> m_doc;
    std::unique_ptr<IdleWorkRegistration> m_work;
    CODKSListCtrl* m_list = nullptr;
    std::unique_ptr<ServerListView> m_view;
    QLabel* m_status = nullptr;
    GameScreenHandOff m_game{*this};
    bool m_searching = false;
};

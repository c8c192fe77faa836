#pragma once
// The Internet games dialog: the Internet server list in an owner-drawn list with its
// commands (refresh, update from the masters, filter, add, find, details, favourites,
// delete, best servers first), the connection-rate selector, the status and filter
// lines, joining a server and creating one. The spectator games dialog is the same
// dialog restricted to spectator proxies.
//
// The list's decisions live in the document (CNetGameDoc) and in ServerListView; this
// class holds the widgets and runs the commands.
#include "browser/dialogs/GameScreenHandOff.h"
#include "browser/list/CNetGameDoc.h"
#include "browser/list/ServerFilter.h"
#include "browser/list/ServerListView.h"
#include "ui/CKSDialog.h"
#include "ui/IdleWork.h"

#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CChatPanel;
class CODBlendBtn;
class CODComboBox;
class CODKSListCtrl;
class QLabel;
class QMenu;
class QStackedWidget;

class CNetGameDlg : public CKSDialog, protected NetGameDocView
{
    Q_OBJECT
public:
    // Rows change at most this often while a refresh runs.
    static constexpr int kBatchIntervalMs = 100;
    static constexpr int kMsgJoin = 307;
    static constexpr int kMsgSpectate = 587;
    static constexpr int kMsgCountsLine = 524;

    // What differs between the Internet and the spectator dialog.
    struct Variant
    {
        std::string settingsSection = "Settings";
        std::string headerName = "head_inetgames";
        QString title = QStringLiteral("Internet Games");
        int joinLabel = kMsgJoin;
        bool createGameButton = true;
        bool proxiesOnly = false;
    };

    // Creates a game server from the dialog (the create server dialog installs it);
    // true when the player is now in a game on it.
    using CreateGameHook = std::function<bool(QWidget* parent)>;
    static void SetCreateGameHook(CreateGameHook hook);
    // Joins a server; true when the player is in a game (tests replace it; the default
    // runs the launcher's join flow).
    using JoinFunction = std::function<bool(const CServerInfo& record)>;
    static void SetJoinFunction(JoinFunction join);
    // Joins through the join function (the LAN dialog too).
    static bool JoinServer(const CServerInfo& record);
    // Runs the create-game hook, or tells the player it is not there; true when the
    // player is in a game on the new server.
    static bool RunCreateGame(QWidget* parent);

    explicit CNetGameDlg(QWidget* parent = nullptr, const CNetGameDoc::Setup& setup = {});
    ~CNetGameDlg() override;

    CNetGameDoc& Doc() const { return *m_doc; }
    CODKSListCtrl* List() const { return m_list; }
    ServerListView& View() { return *m_view; }
    const ServerFilter& Filter() const { return m_filter; }
    QLabel* StatusLine() const { return m_status; }
    QLabel* FilterLine() const { return m_filterLine; }
    CODComboBox* RateSelector() const { return m_rate; }
    CODBlendBtn* CommandButton(const QString& label) const;
    const Variant& GetVariant() const { return m_variant; }

    // What the spectator dialog changes.
    virtual ServerFilter ReadFilters() const;
    virtual void ApplyFilters(const ServerFilter& filter);

    // The commands (buttons and context menu).
    void Join();
    void RefreshAll();
    void RefreshSelected();
    void UpdateList();
    void OpenFilter();
    void AddServer();
    void Find();
    void Details();
    void CreateGame();
    void SetFavorites(bool favorite);
    void Delete();
    void BestServersFirst();
    void Disconnect();
    void Resume();
    void ChooseRate(int entry);

    // FillList: the unfiltered records in sort order, then the status and filter lines.
    void FillList();
    // Records of the selected rows that are still listed and not filtered.
    std::vector<CServerInfo*> SelectedRecords() const;
    // Selects the rows of these records.
    void SelectRecords(const std::vector<CServerInfo*>& records);
    // Applies what the refresh changed to the rows now (otherwise every batch interval).
    void FlushBatch();
    int BatchesApplied() const { return m_batches; }

    // Closes the dialog: saves the rate and writes the list file.
    void CloseDialog(int result);
    // Out of sight while the engine has the screen after a join or a resume.
    bool HiddenForGame() const { return m_game.Hidden(); }
    // Whether the document may change the list now: nothing open above the dialog and
    // the game not on the screen.
    bool AtSafePoint() const override;

    // Switches between the server list and the chat rooms; entering the rooms the
    // first time connects the chat.
    void SwitchView();
    bool InRoomsView() const;
    CChatPanel* ChatPanel() const { return m_chat; }
    // How often the chat is polled.
    static constexpr int kChatTickMs = 30;

    // Shows the dialog again when the engine gives the screen back.
    bool OnIdle() override;
    // The dialog is given up before it opened: the list file is left as it is.
    void DiscardWithoutSaving();

protected:
    CNetGameDlg(QWidget* parent, const CNetGameDoc::Setup& setup, Variant variant);

    // NetGameDocView
    void OnStatusText(const std::string& text) override;
    void OnListEmptied() override;
    void OnListReplaced() override;
    void OnRefreshAllRequested() override;
    void OnRecordsChanged(const std::vector<CServerInfo*>& records) override;

    void OnEscape() override;

private:
    void BuildControls();
    CODBlendBtn* AddCommand(int message, void (CNetGameDlg::*command)());
    void ShowContextMenu(QPoint at);
    void ShowCounts();
    // Runs a refresh of the list headed by head with rows updated in batches.
    void RunBatched(CServerInfo* head, const std::function<void()>& refresh);
    CServerInfo* SelectedRecord() const;
    void SaveRate();

    Variant m_variant;
    std::unique_ptr<CNetGameDoc> m_doc;
    std::unique_ptr<IdleWorkRegistration> m_work;
    ServerFilter m_filter;
    CODKSListCtrl* m_list = nullptr;
    std::unique_ptr<ServerListView> m_view;
    QLabel* m_status = nullptr;
    QLabel* m_filterLine = nullptr;
    CODComboBox* m_rate = nullptr;
    std::vector<CODBlendBtn*> m_commands;
    GameScreenHandOff m_game{*this};
    QTimer m_batchTimer;
    QTimer m_chatTimer;
    QStackedWidget* m_views = nullptr;
    CChatPanel* m_chat = nullptr;
    CODBlendBtn* m_switch = nullptr;
    CServerInfo* m_batchHead = nullptr;
    bool m_batchDirty = false;
    bool m_closed = false;
    int m_batches = 0;
};

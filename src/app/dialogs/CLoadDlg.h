#pragma once
// The load dialog: the saved games, newest first; loading hands "load %s\n" to the
// main menu, which starts the engine with it.
#include "app/saves/SavedGameList.h"
#include "ui/CKSDialog.h"

#include <vector>

class QTreeWidget;

// The list both saved-game dialogs show: title, map, elapsed time and date.
QTreeWidget* MakeSaveGameList(QWidget* parent, const std::vector<SaveGameEntry>& entries);

class CLoadDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "dialog";
    static constexpr int kLoadCommand = 27;

    explicit CLoadDlg(QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }
    CODBlendBtn* LoadButton() const { return m_load; }
    const std::vector<SaveGameEntry>& Entries() const { return m_entries; }
    // Loads the chosen entry; the dialog closes when a command was handed over.
    void Load();

private:
    std::vector<SaveGameEntry> m_entries;
    QTreeWidget* m_list = nullptr;
    CODBlendBtn* m_load = nullptr;
};

// The skin's look for a list of rows: the field colour inside a thin border.
void StyleSkinList(QWidget* list);

#pragma once
// The save dialog: a new save first, then the saved games; saving hands "save %s\n"
// to the main menu, which gives the engine the command.
#include "app/saves/SavedGameList.h"
#include "ui/CKSDialog.h"

#include <vector>

class QTreeWidget;

class CSaveDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "dialog";
    static constexpr int kSaveCommand = 33;

    explicit CSaveDlg(QWidget* parent = nullptr);

    QTreeWidget* List() const { return m_list; }
    CODBlendBtn* SaveButton() const { return m_save; }
    const std::vector<SaveGameEntry>& Entries() const { return m_entries; }
    void Save();

private:
    std::vector<SaveGameEntry> m_entries;
    QTreeWidget* m_list = nullptr;
    CODBlendBtn* m_save = nullptr;
};

#include "app/dialogs/CLoadDlg.h"

#include "app/engine/EngineConnection.h"
#include "app/menu/MenuCommandQueue.h"
#include "app/saves/SaveGameCommands.h"
#include "ui/CODBlendBtn.h"
#include "ui/SkinPalette.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

void StyleSkinList(QWidget* list)
{
    const SkinPalette palette = SkinPalette::Standard();
    list->setStyleSheet(QStringLiteral("QAbstractItemView { background: %1; border: 1px solid %2; outline: 0; }"
                                       "QAbstractItemView::item { height: 20px; }"
                                       "QAbstractItemView::item:selected { background: %3; color: black; }")
                            .arg(palette.field.name(), palette.border.name(), palette.accent.name()));
}

QTreeWidget* MakeSaveGameList(QWidget* parent, const std::vector<SaveGameEntry>& entries)
{
    auto* list = new QTreeWidget(parent);
    list->setColumnCount(4);
    list->setHeaderLabels(
        {QStringLiteral("Title"), QStringLiteral("Map"), QStringLiteral("Time"), QStringLiteral("Date")});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const SaveGameEntry& entry : entries) {
        auto* item = new QTreeWidgetItem(list);
        item->setText(0, QString::fromStdString(entry.title));
        item->setText(1, QString::fromStdString(entry.mapName));
        item->setText(2, QString::fromStdString(entry.elapsedText));
        item->setText(3, QString::fromStdString(entry.dateText));
        item->setToolTip(0, QString::fromStdString(entry.fileName));
    }
    // Fixed widths with room between the columns; the title takes the rest.
    constexpr int kMapWidth = 104;
    constexpr int kTimeWidth = 60;
    constexpr int kDateWidth = 150;
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    const int widths[] = {kMapWidth, kTimeWidth, kDateWidth};
    for (int column = 1; column < 4; ++column) {
        header->setSectionResizeMode(column, QHeaderView::Fixed);
        header->resizeSection(column, widths[column - 1]);
    }
    StyleSkinList(list);
    if (!entries.empty())
        list->setCurrentItem(list->topLevelItem(0));
    return list;
}

CLoadDlg::CLoadDlg(QWidget* parent) : CKSDialog(parent, kBackground), m_entries(LoadDialogEntries(SaveFolder()))
{
    SetTitleText(QStringLiteral("Load Game"));
    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = MakeSaveGameList(Content(), m_entries);
    layout->addWidget(m_list);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { Load(); });

    AddButton(QStringLiteral("Cancel"), QDialog::Rejected);
    m_load = AddButton(QStringLiteral("Load"));
    m_load->setEnabled(!m_entries.empty());
    connect(m_load, &QAbstractButton::clicked, this, [this] { Load(); });
    SetDefaultButton(m_load);
}

void CLoadDlg::Load()
{
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    const SaveGameEntry* chosen = row >= 0 && size_t(row) < m_entries.size() ? &m_entries[size_t(row)] : nullptr;
    const std::string command = ChooseLoadCommand(chosen, EngineConnectionState());
    if (command.empty())
        return;
    QueueMenuCommand(command);
    accept();
}

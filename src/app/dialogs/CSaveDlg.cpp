#include "app/dialogs/CSaveDlg.h"

#include "app/dialogs/CLoadDlg.h"
#include "app/engine/EngineConnection.h"
#include "app/menu/MenuCommandQueue.h"
#include "app/saves/SaveGameCommands.h"
#include "ui/CODBlendBtn.h"

#include <QTreeWidget>
#include <QVBoxLayout>

CSaveDlg::CSaveDlg(QWidget* parent) : CKSDialog(parent, kBackground), m_entries(SaveDialogEntries(SaveFolder()))
{
    SetTitleText(QStringLiteral("Save Game"));
    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    m_list = MakeSaveGameList(Content(), m_entries);
    layout->addWidget(m_list);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { Save(); });

    AddButton(QStringLiteral("Cancel"), QDialog::Rejected);
    m_save = AddButton(QStringLiteral("Save"));
    connect(m_save, &QAbstractButton::clicked, this, [this] { Save(); });
    SetDefaultButton(m_save);
}

void CSaveDlg::Save()
{
    const int row = m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
    const std::string command = ChooseSaveCommand(m_entries, row, EngineConnectionState(), EngineActiveWord());
    if (command.empty())
        return;
    QueueMenuCommand(command);
    accept();
    // The menu steps aside while the engine saves.
    if (QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr)
        owner->hide();
}

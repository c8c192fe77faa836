#include "mods/dialogs/CModsDlg.h"

#include "app/settings/LauncherState.h"
#include "app/settings/SettingsStore.h"
#include "app/text/Prompt.h"
#include "app/text/StringList.h"
#include "mods/catalogue/CompareMods.h"
#include "mods/catalogue/ModCatalogue.h"
#include "mods/catalogue/ModDialogLogic.h"
#include "mods/catalogue/ModListMerge.h"
#include "mods/dialogs/CModDownloadDlg.h"
#include "mods/dialogs/CModNoticeDlg.h"
#include "mods/dialogs/CModReqDlg.h"
#include "mods/download/ModUrl.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODKSListCtrl.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

std::vector<KSListColumn> Columns()
{
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    return {{QStringLiteral("Type"), 64},
            {QStringLiteral("Game"), 112},
            {QStringLiteral("Ver."), 44, false, right},
            {QStringLiteral("Size"), 44, false, right},
            {QStringLiteral("Rating"), 54, false, right},
            {QStringLiteral("Installed"), 70},
            {QStringLiteral("Servers"), 58, false, right},
            {QStringLiteral("Players"), 56, false, right}};
}

QString InstalledText(const CModRecord& record)
{
    if (record.GetKeyInt("installed") == 0)
        return QStringLiteral("no");
    return record.GetKeyInt("newversion") != 0 ? QStringLiteral("update") : QStringLiteral("yes");
}

} // namespace

CModsDlg::CModsDlg(QWidget* parent, bool refreshOnOpen) : CKSDialog(parent, kBackground), m_refreshOnOpen(refreshOnOpen)
{
    SetTitleText(QString::fromStdString(GetString(kHeading)));
    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    m_rows = new CODKSListCtrl(Content());
    m_rows->SetColumns(Columns());
    m_rows->SetCompare([](const KSListRow& a, const KSListRow& b, int column) {
        return CompareMods(*reinterpret_cast<const CModRecord*>(a.data), *reinterpret_cast<const CModRecord*>(b.data),
                           column, 1);
    });
    m_rows->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(m_rows);

    // The commands in a row under the list; Done in the button band.
    auto* commands = new QHBoxLayout();
    commands->setSpacing(kCommandSpacing);
    const auto command = [this, commands](const char* label) {
        auto* button = new CODBlendBtn(QString::fromUtf8(label), Content());
        button->setFixedSize(kCommandWidth, kButtonHeight);
        commands->addWidget(button);
        return button;
    };
    m_refresh = command("Refresh");
    m_activate = command("Activate");
    m_deactivate = command("Deactivate");
    m_info = command("Info");
    m_download = command("Download");
    layout->addSpacing(kCommandSpacing);
    layout->addLayout(commands);
    SetDefaultButton(AddButton(QStringLiteral("Done"), QDialog::Accepted));
    connect(m_refresh, &QAbstractButton::clicked, this, [this] { Refresh(); });
    connect(m_activate, &QAbstractButton::clicked, this, [this] { Activate(); });
    connect(m_deactivate, &QAbstractButton::clicked, this, [this] { Deactivate(); });
    connect(m_info, &QAbstractButton::clicked, this, [this] { Info(); });
    connect(m_download, &QAbstractButton::clicked, this, [this] { Download(); });
    connect(m_rows->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { UpdateButtons(); });
    connect(m_rows, &CODKSListCtrl::RowActivated, this, [this](quint32) { Activate(); });

    m_list = MergeOfferedMods(InstalledMods(), {});
    Fill();
}

int CModsDlg::exec()
{
    if (m_refreshOnOpen)
        QTimer::singleShot(0, this, [this] { Refresh(); });
    return CKSDialog::exec();
}

void CModsDlg::ShowOffered(const ModList& offered)
{
    m_list = MergeOfferedMods(InstalledMods(), offered);
    Fill();
}

void CModsDlg::Refresh()
{
    ModList offered;
    CModReqDlg(CModReqDlg::Mode::List, offered, this).DoModal();
    m_list = MergeOfferedMods(InstalledMods(), offered);
    CModReqDlg(CModReqDlg::Mode::Count, m_list, this).DoModal();
    Fill();
}

void CModsDlg::Fill()
{
    std::vector<KSListRow> rows;
    uint32_t serial = 0;
    for (CModRecord* record : ModRows(m_list, TheSortKeyList())) {
        KSListRow row;
        row.serial = serial++;
        row.data = reinterpret_cast<quintptr>(record);
        for (int column = 1; column <= kModColumnCount; ++column) {
            KSListCell cell;
            cell.text = QString::fromStdString(record->GetKeyText(ModColumnKey(column)));
            if (column == kModColumnInstalled)
                cell.text = InstalledText(*record);
            row.cells.push_back(cell);
        }
        if (CurrentMod() && SameText(CurrentMod()->GetKeyText("gamedir"), record->GetKeyText("gamedir")))
            row.textColour = Palette().accent;
        rows.push_back(std::move(row));
    }
    m_rows->Model()->SetRows(std::move(rows));
    m_rows->Sort();
    m_rows->SelectFirstRow();
    UpdateButtons();
}

CModRecord* CModsDlg::Selected() const
{
    const KSListRow* row = m_rows->SelectedRow();
    return row ? reinterpret_cast<CModRecord*>(row->data) : nullptr;
}

void CModsDlg::UpdateButtons()
{
    const ModButtons buttons = ModButtonStates(Selected());
    m_activate->setEnabled(buttons.activate);
    m_deactivate->setEnabled(buttons.deactivate);
    m_info->setEnabled(buttons.info);
    m_download->setEnabled(buttons.download);
}

void CModsDlg::Activate()
{
    if (CModRecord* row = Selected(); row && ActivateMod(*row))
        Fill();
    UpdateButtons();
}

void CModsDlg::Deactivate()
{
    DeactivateMod();
    Fill();
}

void CModsDlg::Info()
{
    CModRecord* row = Selected();
    if (!row)
        return;
    const std::string url = row->GetKeyText("url_info");
    if (IsOpenableInfoUrl(url) && QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode))) {
        showMinimized();
        return;
    }
    CurrentPrompt().Show(FormatString(kMsgOpenFailed, url.c_str()), PromptButtons::Ok);
}

void CModsDlg::Download()
{
    CModRecord* row = Selected();
    if (!row || !ConfirmModDownload(*row))
        return;
    if (GetSettingInt("Settings", kDownloadPromptSetting, 1) != 0) {
        const std::optional<std::string> notice = DownloadNoticeText();
        if (!notice)
            return;
        CModNoticeDlg dialog(*notice, this);
        if (dialog.DoModal() != QDialog::Accepted)
            return;
        if (dialog.DoNotShowAgain())
            SetSettingInt("Settings", kDownloadPromptSetting, 0);
    }
    int result = CModDownloadDlg::kResultNot;
    switch (ModDownloadRoute(*row)) {
    case ModRoute::Ftp:
        result = CModDownloadDlg(*row, Launcher().baseDirectory, this).DoModal();
        break;
    case ModRoute::Http:
        result = CModHttpDownloadDlg(*row, Launcher().baseDirectory, this).DoModal();
        break;
    case ModRoute::None:
        return;
    }
    if (result == CModDownloadDlg::kResultInstalled) {
        FinishModDownload(*row);
        Fill();
    }
}

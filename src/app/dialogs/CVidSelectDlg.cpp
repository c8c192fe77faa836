#include "app/dialogs/CVidSelectDlg.h"

#include "app/dialogs/CVidModeDlg.h"
#include "app/dialogs/CVideoDlg.h"
#include "app/engine/EngineCommands.h"
#include "app/engine/EngineHost.h"
#include "app/files/DocumentOpener.h"
#include "app/text/Messages.h"
#include "ui/CODBlendBtn.h"

namespace {

constexpr int kRowStep = 34;

} // namespace

CVidSelectDlg::CVidSelectDlg(QWidget* parent) : CKSDialog(parent, kBackground)
{
    SetHeader(kHeader);
    SetTitleText(QStringLiteral("Video"));
    m_mode = AddChoice(QStringLiteral("Video Mode..."), 0);
    m_options = AddChoice(QStringLiteral("Video Options..."), 1);
    m_help = AddChoice(QStringLiteral("Video Help"), 2);
    connect(m_mode, &QAbstractButton::clicked, this, [this] {
        if (!PrepareForModeChange())
            return;
        CVidModeDlg dialog(this);
        dialog.DoModal();
    });
    connect(m_options, &QAbstractButton::clicked, this, [this] {
        CVideoDlg dialog(this);
        dialog.DoModal();
    });
    connect(m_help, &QAbstractButton::clicked, this, [] { OpenNamedDocument(kHelpString); });
    SetDefaultButton(AddButton(QStringLiteral("Done"), QDialog::Accepted));
}

CODBlendBtn* CVidSelectDlg::AddChoice(const QString& label, int row)
{
    auto* button = new CODBlendBtn(label, Content());
    button->resize(kChoiceWidth, kButtonHeight);
    constexpr int kChoices = 3;
    const int top = std::max(0, (ContentRect().height() - kChoices * kRowStep) / 2);
    button->move((ContentRect().width() - kChoiceWidth) / 2, top + row * kRowStep);
    return button;
}

bool CVidSelectDlg::PrepareForModeChange()
{
    EngineHost& host = TheEngineHost();
    if (host.Loaded() && host.Status().InMultiplayerGame()) {
        if (ShowMessage(kMessageLeaveGame, PromptButtons::YesNo) != kPromptFirst)
            return false;
        host.AddCommandText(kCommandDisconnect);
        host.EngineFrame(true);
    }
    host.StopEngine();
    return true;
}

#include "config/dialogs/CKeyboardDlg.h"

#include "app/text/Messages.h"
#include "config/dialogs/CGameOptionsDlg.h"
#include "config/dialogs/CODKeySearchComboBox.h"
#include "config/dialogs/KeyBindingList.h"
#include "config/dialogs/OptionPageParts.h"
#include "config/keys/JoystickSource.h"
#include "config/player/PlayerConfigStore.h"
#include "ui/CODBlendBtn.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

void CKeyboardDlg::Run(QWidget* owner)
{
    if (!ThePlayerConfig()) {
        ShowMessage(72);
        return;
    }
    CKeyboardDlg dialog(owner);
    if (dialog.Opened())
        dialog.DoModal();
}

CKeyboardDlg::CKeyboardDlg(QWidget* parent, std::unique_ptr<JoystickSource> joystick) : CKSDialog(parent, "dialog")
{
    SetHeader(kHeader);
    SetTitleText(QStringLiteral("Controls"));
    const PlayerConfig* config = ThePlayerConfig();
    m_opened = config && m_model.Open(*config);

    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    auto* area = new QScrollArea(Content());
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    m_list = new KeyBindingList(m_model);
    area->setWidget(m_list);
    layout->addWidget(area, 1);

    auto* chooserRow = new QHBoxLayout;
    chooserRow->addWidget(new QLabel(QStringLiteral("Key:"), Content()));
    m_chooser = new CODKeySearchComboBox(Content());
    m_chooser->SetNames(m_model.ChooserNames());
    m_chooser->setMinimumWidth(160);
    chooserRow->addWidget(m_chooser);
    chooserRow->addStretch(1);
    layout->addLayout(chooserRow);
    layout->addWidget(HelpLine(MessageText(74), Content()));

    const bool joystickOn = config && config->joystick != 0;
    if (joystickOn)
        m_list->SetJoystick(joystick ? std::move(joystick) : LinuxJoystickSource::OpenFirst(), true);

    connect(m_chooser, &CODKeySearchComboBox::KeyChosen, this, [this](const QString& name) {
        m_list->AssignSelected(name.toStdString());
        m_list->setFocus();
    });
    connect(m_chooser, &CODKeySearchComboBox::ClearRequested, this, [this] { m_list->ClearSelected(); });

    // Both go through accept() and reject(), which store or discard.
    connect(AddButton(QStringLiteral("Cancel")), &QAbstractButton::clicked, this, &QDialog::reject);
    CODBlendBtn* confirm = AddButton(QStringLiteral("OK"));
    connect(confirm, &QAbstractButton::clicked, this, &QDialog::accept);
    SetDefaultButton(confirm);
    connect(AddButton(QStringLiteral("Use defaults")), &QAbstractButton::clicked, this, &CKeyboardDlg::UseDefaults);
    connect(AddButton(MessageText(396)), &QAbstractButton::clicked, this, [this] { CGameOptionsDlg::Run(this); });
    m_list->setFocus();
}

CKeyboardDlg::~CKeyboardDlg() = default;

void CKeyboardDlg::UseDefaults()
{
    m_model.UseDefaults();
    m_list->Reload();
}

void CKeyboardDlg::accept()
{
    if (PlayerConfig* config = ThePlayerConfig()) {
        m_model.Apply(*config);
        SavePlayerConfig();
    }
    CKSDialog::accept();
}

void CKeyboardDlg::OnEscape()
{
    if (m_model.Capturing())
        return; // the list ends capture itself
    if (m_model.Changed() && ShowMessage(237, PromptButtons::OkCancel) != kPromptFirst)
        return;
    CKSDialog::OnEscape();
}

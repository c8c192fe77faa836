#include "config/dialogs/CGameOptionsDlg.h"

#include "app/text/Messages.h"
#include "config/dialogs/OptionPageParts.h"
#include "config/player/PlayerConfigStore.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"

#include <QGridLayout>
#include <QLabel>

void CGameOptionsDlg::Run(QWidget* owner)
{
    if (!ThePlayerConfig()) {
        ShowMessage(72);
        return;
    }
    CGameOptionsDlg dialog(owner);
    dialog.DoModal();
}

CGameOptionsDlg::CGameOptionsDlg(QWidget* parent) : CKSDialog(parent, "dialog"), m_options(*ThePlayerConfig())
{
    SetHeader(kHeader);
    SetTitleText(QStringLiteral("Game Options"));
    auto* layout = new QGridLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(24);
    layout->setVerticalSpacing(4);

    m_mouseLook = AddBox(172, m_options.mouseLook, 0, 0);
    m_reverse = AddBox(171, m_options.reverseMouse, 1, 0);
    AddBox(175, m_options.mouseFilter, 2, 0);
    m_lookStrafe = AddBox(174, m_options.lookStrafe, 3, 0);
    m_lookSpring = AddBox(173, m_options.lookSpring, 4, 0);
    AddBox(176, m_options.joystick, 0, 1);
    AddBox(497, m_options.joystickLook, 1, 1);
    AddBox(170, m_options.crosshair, 2, 1);
    AddBox(561, m_options.console, 3, 1);
    CODCheckBox* aim = AddBox(397, m_options.autoAim, 4, 1);
    aim->hide();
    aim->setEnabled(false);
    for (CODCheckBox* box : {m_lookStrafe, m_lookSpring})
        box->setEnabled(m_options.LookOptionsEnabled());
    connect(m_mouseLook, &QCheckBox::toggled, this, [this] {
        for (CODCheckBox* box : {m_lookStrafe, m_lookSpring})
            box->setEnabled(m_options.LookOptionsEnabled());
    });

    layout->addWidget(HelpLine(MessageText(562), Content()), 5, 0, 1, 2);
    layout->addWidget(new QLabel(MessageText(184), Content()), 6, 0, 1, 2);
    auto* slider = new CODSlider(Content());
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(GameOptions::kSensitivityMin, GameOptions::kSensitivityMax);
    slider->setPageStep(10);
    slider->setValue(m_options.SensitivityPosition());
    m_sensitivity = slider;
    layout->addWidget(slider, 7, 0, 1, 2);
    layout->addWidget(HelpLine(MessageText(496), Content()), 8, 0, 1, 2);
    layout->setRowStretch(9, 1);
    // Every way of moving the slider counts: dragging, keys, the wheel, the groove.
    connect(slider, &QSlider::valueChanged, this, [this](int value) { m_options.SetSensitivityPosition(value); });

    // Both go through accept() and reject(), which store or discard.
    connect(AddButton(QStringLiteral("Cancel")), &QAbstractButton::clicked, this, &QDialog::reject);
    CODBlendBtn* confirm = AddButton(MessageText(247));
    connect(confirm, &QAbstractButton::clicked, this, &QDialog::accept);
    SetDefaultButton(confirm);
}

CODCheckBox* CGameOptionsDlg::AddBox(int message, bool& state, int row, int column)
{
    auto* box = new CODCheckBox(MessageText(message), Content());
    box->setChecked(state);
    connect(box, &QCheckBox::toggled, this, [&state](bool on) { state = on; });
    static_cast<QGridLayout*>(Content()->layout())->addWidget(box, row, column);
    return box;
}

void CGameOptionsDlg::accept()
{
    if (PlayerConfig* config = ThePlayerConfig()) {
        m_options.Store(*config);
        SavePlayerConfig();
    }
    CKSDialog::accept();
}

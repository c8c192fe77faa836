#include "config/dialogs/CAudioDlg.h"

#include "app/text/Messages.h"
#include "config/dialogs/OptionPageParts.h"
#include "config/player/PlayerConfigStore.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"

#include <QGridLayout>
#include <QLabel>

namespace {

constexpr const char* kNoHardwareNote = "3D and environmental audio are not available on Linux.";

QSlider* NewVolumeSlider(QWidget* parent)
{
    auto* slider = new CODSlider(parent);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(AudioOptions::kSliderMin, AudioOptions::kSliderMax);
    slider->setPageStep(10);
    return slider;
}

} // namespace

void CAudioDlg::Run(QWidget* owner)
{
    if (!ThePlayerConfig()) {
        ShowMessage(72);
        return;
    }
    CAudioDlg dialog(owner);
    dialog.DoModal();
}

CAudioDlg::CAudioDlg(QWidget* parent) : CKSDialog(parent, "dialog_small"), m_options(*ThePlayerConfig())
{
    SetHeader(kHeader);
    SetTitleText(MessageText(143));
    auto* layout = new QGridLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setVerticalSpacing(6);

    layout->addWidget(new QLabel(QStringLiteral("Effects volume"), Content()), 0, 0);
    m_volume = NewVolumeSlider(Content());
    m_volume->setValue(m_options.Volume());
    layout->addWidget(m_volume, 1, 0);
    m_suitVolume = NewVolumeSlider(Content());
    m_suitVolume->setValue(m_options.SuitVolume());
    m_suitVolume->hide();
    m_suitVolume->setEnabled(false);

    m_hisound = new CODCheckBox(MessageText(146), Content());
    m_hisound->setChecked(m_options.HighQuality());
    layout->addWidget(m_hisound, 2, 0);
    m_music = new CODCheckBox(QStringLiteral("Music"), Content());
    m_music->setChecked(m_options.Music());
    m_music->hide();
    m_music->setEnabled(false);
    m_a3d = new CODCheckBox(MessageText(246), Content());
    m_a3d->setChecked(m_options.Sound3d());
    m_a3d->setEnabled(false);
    layout->addWidget(m_a3d, 3, 0);
    m_eax = new CODCheckBox(MessageText(427), Content());
    m_eax->setChecked(m_options.Environmental());
    m_eax->setEnabled(false);
    layout->addWidget(m_eax, 4, 0);
    auto* note = new QLabel(QString::fromUtf8(kNoHardwareNote), Content());
    note->setStyleSheet(QStringLiteral("color: #aaaaaa;"));
    layout->addWidget(note, 5, 0);
    layout->setRowStretch(6, 1);
    layout->addWidget(HelpLine(MessageText(418), Content()), 7, 0);

    // Every way of moving the slider counts: dragging, keys, the wheel, the groove.
    connect(m_volume, &QSlider::valueChanged, this, [this](int value) { m_options.SetVolume(value); });
    connect(m_hisound, &QCheckBox::toggled, this, [this](bool on) { m_options.SetHighQuality(on); });
    connect(m_a3d, &QCheckBox::toggled, this, [this](bool on) { m_options.SetSound3d(on); });
    connect(m_eax, &QCheckBox::toggled, this, [this](bool on) { m_options.SetEnvironmental(on); });

    // Both go through accept() and reject(), which store or discard.
    connect(AddButton(QStringLiteral("Cancel")), &QAbstractButton::clicked, this, &QDialog::reject);
    CODBlendBtn* confirm = AddButton(MessageText(247));
    connect(confirm, &QAbstractButton::clicked, this, &QDialog::accept);
    SetDefaultButton(confirm);
}

void CAudioDlg::accept()
{
    if (PlayerConfig* config = ThePlayerConfig()) {
        m_options.Store(*config);
        SavePlayerConfig();
    }
    CKSDialog::accept();
}

void CAudioDlg::reject()
{
    m_options.Cancel();
    CKSDialog::reject();
}

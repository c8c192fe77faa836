#include "config/dialogs/CPlayerProfileDlg.h"

#include "app/dialogs/CConfigDlg.h"
#include "config/dialogs/CSetInfoDlg.h"
#include "config/dialogs/OptionPageParts.h"
#include "config/player/LogoColorTable.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

namespace {

QSlider* NewPercentSlider(QWidget* parent, int value)
{
    auto* slider = new CODSlider(parent);
    slider->setOrientation(Qt::Horizontal);
    slider->setRange(0, 100);
    slider->setPageStep(10);
    slider->setValue(value);
    return slider;
}

} // namespace

void CPlayerProfileDlg::Run(QWidget* owner)
{
    PlayerProfile profile;
    if (!profile.Open())
        return;
    CPlayerProfileDlg dialog(profile, owner);
    dialog.DoModal();
}

void CPlayerProfileDlg::Install()
{
    CConfigDlg::AddPage("Player profile", [](QWidget* owner) { Run(owner); });
}

CPlayerProfileDlg::CPlayerProfileDlg(PlayerProfile& profile, QWidget* parent)
    : CKSDialog(parent, "dialog"), m_profile(profile)
{
    SetTitleText(QStringLiteral("Player profile"));
    auto* layout = new QGridLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(18);
    layout->setVerticalSpacing(6);

    // The logo column: the tinted preview in its black frame, its name, the steps
    // through the logos and the colour.
    auto* logoColumn = new QVBoxLayout;
    logoColumn->setSpacing(6);
    logoColumn->addWidget(new QLabel(QStringLiteral("Spray logo"), Content()));
    m_preview = new QLabel(Content());
    m_preview->setFixedSize(kPreviewFrame, kPreviewFrame);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setStyleSheet(QStringLiteral("background: black; border: 1px solid #808080;"));
    logoColumn->addWidget(m_preview, 0, Qt::AlignHCenter);
    m_logoName = new QLabel(Content());
    m_logoName->setAlignment(Qt::AlignHCenter);
    logoColumn->addWidget(m_logoName);
    auto* steps = new QHBoxLayout;
    m_previous = new CODBlendBtn(QStringLiteral("<"), Content());
    m_next = new CODBlendBtn(QStringLiteral(">"), Content());
    for (CODBlendBtn* button : {m_previous, m_next}) {
        button->setFixedSize(48, kButtonHeight);
        steps->addWidget(button);
    }
    logoColumn->addLayout(steps);
    m_colours = new CODComboBox(Content());
    for (const LogoColour& colour : LogoColorTable())
        m_colours->addItem(QString::fromLatin1(colour.name));
    m_colours->setCurrentIndex(0);
    m_colours->setCurrentIndex(profile.ColourIndex());
    logoColumn->addWidget(m_colours);
    logoColumn->addStretch(1);
    layout->addLayout(logoColumn, 0, 0);

    // The player column.
    auto* playerColumn = new QVBoxLayout;
    playerColumn->setSpacing(6);
    playerColumn->addWidget(new QLabel(QStringLiteral("Name"), Content()));
    m_name = new QLineEdit(QString::fromStdString(profile.name), Content());
    m_name->setMaxLength(int(PlayerConfig::kMaxText));
    playerColumn->addWidget(m_name);
    m_highModels = new CODCheckBox(MessageText(410), Content());
    m_highModels->setChecked(profile.highModels);
    playerColumn->addWidget(m_highModels);
    m_voice = new CODCheckBox(MessageText(591), Content());
    m_voice->setChecked(profile.voiceEnabled);
    playerColumn->addWidget(m_voice);
    auto* inputLabel = new QLabel(MessageText(588), Content());
    playerColumn->addWidget(inputLabel);
    m_voiceInput = NewPercentSlider(Content(), profile.voiceInput);
    // Without a capture control there is nothing to set.
    m_voiceInput->setEnabled(profile.voiceInputAvailable);
    inputLabel->setEnabled(profile.voiceInputAvailable);
    playerColumn->addWidget(m_voiceInput);
    playerColumn->addWidget(new QLabel(MessageText(589), Content()));
    m_voiceScale = NewPercentSlider(Content(), profile.voiceScale);
    playerColumn->addWidget(m_voiceScale);
    auto* userInfo = new CODBlendBtn(QStringLiteral("User info"), Content());
    userInfo->setFixedSize(kButtonWidth + 24, kButtonHeight);
    playerColumn->addWidget(userInfo, 0, Qt::AlignLeft);
    playerColumn->addStretch(1);
    layout->addLayout(playerColumn, 0, 1);
    layout->setColumnStretch(1, 1);

    ShowLogo();
    connect(m_previous, &QAbstractButton::clicked, this, [this] {
        TakeFields();
        if (m_profile.StepLogo(-1))
            ShowLogo();
    });
    connect(m_next, &QAbstractButton::clicked, this, [this] {
        TakeFields();
        if (m_profile.StepLogo(1))
            ShowLogo();
    });
    connect(m_colours, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_profile.SetColour(index);
        ShowLogo();
    });
    connect(userInfo, &QAbstractButton::clicked, this, [this, userInfo] {
        CSetInfoDlg dialog(this);
        if (!dialog.Opened()) {
            userInfo->setEnabled(false);
            return;
        }
        dialog.DoModal();
        Reload(); // it may have changed the name
    });

    connect(AddButton(QStringLiteral("Cancel")), &QAbstractButton::clicked, this, &QDialog::reject);
    m_apply = AddButton(QStringLiteral("Apply"));
    connect(m_apply, &QAbstractButton::clicked, this, [this] {
        TakeFields();
        m_profile.Apply();
    });
    CODBlendBtn* ok = AddButton(QStringLiteral("OK"));
    connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
    SetDefaultButton(ok);
}

void CPlayerProfileDlg::ShowLogo()
{
    const auto& logo = m_profile.Logo();
    m_logoName->setText(QString::fromStdString(m_profile.LogoName()));
    m_previous->setEnabled(m_profile.LogoIndex() > 0);
    m_next->setEnabled(size_t(m_profile.LogoIndex()) + 1 < m_profile.Logos().size());
    if (!logo) {
        m_preview->setPixmap(QPixmap());
        return;
    }
    QImage image(logo->pixels.data(), logo->width, logo->height, logo->width, QImage::Format_Indexed8);
    QList<QRgb> table(logo->preview.begin(), logo->preview.end());
    image.setColorTable(table);
    const QImage shown = image.convertToFormat(QImage::Format_RGB32);
    m_preview->setPixmap(QPixmap::fromImage(shown));
}

void CPlayerProfileDlg::showEvent(QShowEvent* event)
{
    if (m_shown)
        Reload();
    m_shown = true;
    CKSDialog::showEvent(event);
}

void CPlayerProfileDlg::Reload()
{
    TakeFields();
    m_profile.Reload();
    m_name->setText(QString::fromStdString(m_profile.name));
    m_highModels->setChecked(m_profile.highModels);
    m_voice->setChecked(m_profile.voiceEnabled);
    m_voiceScale->setValue(m_profile.voiceScale);
    m_voiceInput->setValue(m_profile.voiceInput);
    m_colours->setCurrentIndex(m_profile.ColourIndex());
    ShowLogo();
}

void CPlayerProfileDlg::TakeFields()
{
    m_profile.name = m_name->text().toStdString();
    m_profile.highModels = m_highModels->isChecked();
    m_profile.voiceEnabled = m_voice->isChecked();
    m_profile.voiceScale = m_voiceScale->value();
    m_profile.voiceInput = m_voiceInput->value();
}

void CPlayerProfileDlg::accept()
{
    TakeFields();
    m_profile.Ok();
    CKSDialog::accept();
}

void CPlayerProfileDlg::reject()
{
    TakeFields();
    m_profile.Cancel();
    CKSDialog::reject();
}

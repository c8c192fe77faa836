#include "app/dialogs/CVidModeDlg.h"

#include "app/dialogs/CLoadDlg.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/settings/SettingsStore.h"
#include "app/video/DriverMap.h"
#include "app/video/RendererType.h"
#include "app/video/VideoSettings.h"
#include "app/video/VideoState.h"
#include "ui/CODBlendBtn.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>

CVidModeDlg::CVidModeDlg(QWidget* parent) : CKSDialog(parent, kBackground)
{
    SetHeader(kHeader);
    SetTitleText(QStringLiteral("Video Mode"));
    m_warning = GetSettingInt(kSettingsSection, kWarningValue, 0);
    const VideoState& video = Video();

    auto* layout = new QGridLayout(Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(18);
    layout->setVerticalSpacing(6);

    auto* rendererColumn = new QVBoxLayout;
    rendererColumn->addWidget(new QLabel(QStringLiteral("Renderer"), Content()));
    m_renderers = new QButtonGroup(this);
    const std::pair<int, const char*> renderers[] = {
        {VT_Software, "&Software"}, {VT_OpenGL, "Open&GL"}, {VT_Direct3D, "&Direct3D"}};
    for (const auto& [type, label] : renderers) {
        auto* radio = new QRadioButton(QString::fromUtf8(label), Content());
        m_renderers->addButton(radio, type);
        rendererColumn->addWidget(radio);
    }
    rendererColumn->addSpacing(10);
    m_driverLabel = new QLabel(Content());
    rendererColumn->addWidget(m_driverLabel);
    m_driver = new QComboBox(Content());
    for (const DriverChoice& choice : LoadDriverMap())
        m_driver->addItem(QString::fromStdString(choice.description), QString::fromStdString(choice.library));
    rendererColumn->addWidget(m_driver);
    m_device = new QComboBox(Content());
    m_device->addItem(QString::fromUtf8(kDefaultDriver), QString::fromUtf8(kDefaultDriver));
    rendererColumn->addWidget(m_device);
    rendererColumn->addStretch(1);
    m_windowed = new QCheckBox(QStringLiteral("Run in a &window"), Content());
    m_capture = new QCheckBox(QStringLiteral("&Capture the mouse"), Content());
    rendererColumn->addWidget(m_windowed);
    rendererColumn->addWidget(m_capture);
    layout->addLayout(rendererColumn, 0, 0);

    auto* modeColumn = new QVBoxLayout;
    modeColumn->addWidget(new QLabel(QStringLiteral("Display mode"), Content()));
    m_modes = new QListWidget(Content());
    StyleSkinList(m_modes);
    modeColumn->addWidget(m_modes, 1);
    layout->addLayout(modeColumn, 0, 1);
    layout->setColumnStretch(1, 1);

    const bool allowWindowed = GetSettingInt(kSettingsSection, "EngineAllowWindowed", 0) == 1;
    m_windowed->setVisible(allowWindowed);
    m_capture->setVisible(allowWindowed);
    m_windowed->setChecked(video.windowed);
    // The stored choice, not this run's capture: full screen always captures and
    // -nowinmouse never does, and neither may become the player's choice by an OK.
    m_capture->setChecked(video.captureChoice);

    const int driver = m_driver->findData(QString::fromStdString(video.glDriver));
    m_driver->setCurrentIndex(driver >= 0 ? driver : 0);
    const int device = m_device->findData(QString::fromStdString(video.d3dDevice));
    m_device->setCurrentIndex(device >= 0 ? device : 0);

    if (QAbstractButton* current = m_renderers->button(video.renderer))
        current->setChecked(true);
    else
        m_renderers->button(VT_Software)->setChecked(true);
    ShowRendererPage();
    FillModes();

    connect(m_renderers, &QButtonGroup::idClicked, this, [this] {
        ShowRendererPage();
        FillModes();
    });
    connect(m_windowed, &QCheckBox::toggled, this, [this] { FillModes(); });

    CODBlendBtn* cancel = AddButton(QStringLiteral("Cancel"), QDialog::Rejected);
    CODBlendBtn* ok = AddButton(QStringLiteral("OK"), QDialog::Accepted);
    Q_UNUSED(cancel);
    SetDefaultButton(ok);
}

void CVidModeDlg::SetRenderer(int renderer)
{
    if (QAbstractButton* button = m_renderers->button(renderer)) {
        button->setChecked(true);
        ShowRendererPage();
        FillModes();
    }
}

void CVidModeDlg::ShowRendererPage()
{
    const int renderer = m_renderers->checkedId();
    m_driverLabel->setVisible(renderer != VT_Software);
    m_driverLabel->setText(renderer == VT_OpenGL ? QStringLiteral("OpenGL driver") : QStringLiteral("Direct3D device"));
    m_driver->setVisible(renderer == VT_OpenGL);
    m_device->setVisible(renderer == VT_Direct3D);
}

void CVidModeDlg::FillModes()
{
    const VideoState& video = Video();
    const int renderer = m_renderers->checkedId();
    const bool windowed = m_windowed->isChecked();
    // Keep the entry the player picked when it is still offered.
    int wanted = video.currentMode;
    if (m_modes->currentRow() >= 0 && size_t(m_modes->currentRow()) < m_offered.size())
        wanted = m_offered[size_t(m_modes->currentRow())];
    m_offered = OfferedModes(video.modes, renderer, windowed);
    const int selected =
        DialogModeSelection(video.modes, renderer, windowed, wanted, video.modeWidth, video.modeHeight);
    m_modes->clear();
    for (int index : m_offered) {
        m_modes->addItem(QString::fromStdString(VideoModeDialogName(video.modes[size_t(index)])));
        if (index == selected)
            m_modes->setCurrentRow(m_modes->count() - 1);
    }
}

VideoChoice CVidModeDlg::Choice() const
{
    VideoChoice choice;
    choice.renderer = m_renderers->checkedId();
    const int row = m_modes->currentRow();
    choice.modeIndex = row >= 0 && size_t(row) < m_offered.size() ? m_offered[size_t(row)] : Video().currentMode;
    choice.windowed = m_windowed->isChecked();
    choice.capture = m_capture->isChecked();
    choice.glDriver = m_driver->currentData().toString().toStdString();
    choice.d3dDevice = m_device->currentData().toString().toStdString();
    return choice;
}

void CVidModeDlg::done(int result)
{
    if (result == QDialog::Accepted && !m_offered.empty()) {
        const VideoChoice choice = Choice();
        if (ApplyVideoChoice(choice)) {
            QtEngineDisplay& display = TheEngineDisplay();
            display.SetWindowed(choice.windowed);
            display.RecreateEngineWindow();
        }
    }
    SetSettingInt(kSettingsSection, kWarningValue, m_warning);
    CKSDialog::done(result);
}

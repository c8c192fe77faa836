#pragma once
// The player profile: the player's name, the spray logo with its colour (a tinted
// preview in a black frame), high-quality models, voice, and the user information
// page. Apply saves the configuration and writes the decal; OK also stores the logo
// choice and the voice levels; Cancel after an Apply asks whether to keep the changes.
#include "config/player/PlayerProfile.h"
#include "ui/CKSDialog.h"

class CODBlendBtn;
class CODCheckBox;
class CODComboBox;
class QLabel;
class QLineEdit;
class QSlider;

class CPlayerProfileDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr int kPreviewFrame = 96;

    // Call after PlayerProfile::Open succeeded (see Run).
    CPlayerProfileDlg(PlayerProfile& profile, QWidget* parent = nullptr);
    // Opens the dialog; without a player record shows message 72 instead.
    static void Run(QWidget* owner);
    // Adds "Player profile" to the configuration dialog.
    static void Install();

    QLineEdit* NameField() const { return m_name; }
    CODComboBox* ColourList() const { return m_colours; }
    CODBlendBtn* PreviousButton() const { return m_previous; }
    CODBlendBtn* NextButton() const { return m_next; }
    CODBlendBtn* ApplyButton() const { return m_apply; }
    CODCheckBox* HighModelsBox() const { return m_highModels; }
    CODCheckBox* VoiceBox() const { return m_voice; }
    QSlider* VoiceInputSlider() const { return m_voiceInput; }
    QSlider* VoiceScaleSlider() const { return m_voiceScale; }
    QLabel* Preview() const { return m_preview; }

    void accept() override;
    void reject() override;

protected:
    // Shown again (after the user information page, or hidden and shown): the fields
    // are read again from the player's files, keeping the edits not yet applied.
    void showEvent(QShowEvent* event) override;

private:
    void ShowLogo();
    void TakeFields();
    void Reload();

    PlayerProfile& m_profile;
    QLineEdit* m_name = nullptr;
    QLabel* m_preview = nullptr;
    QLabel* m_logoName = nullptr;
    CODBlendBtn* m_previous = nullptr;
    CODBlendBtn* m_next = nullptr;
    CODComboBox* m_colours = nullptr;
    CODCheckBox* m_highModels = nullptr;
    CODCheckBox* m_voice = nullptr;
    QSlider* m_voiceInput = nullptr;
    QSlider* m_voiceScale = nullptr;
    CODBlendBtn* m_apply = nullptr;
    bool m_shown = false;
};

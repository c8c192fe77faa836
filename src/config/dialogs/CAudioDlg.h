#pragma once
// The audio page: effects volume, high-quality sound, and the two hardware sound
// switches, which have no counterpart on this system and are shown disabled (their
// values are kept, since stored files rely on them).
#include "config/player/AudioOptions.h"
#include "ui/CKSDialog.h"

#include <optional>

class CODCheckBox;
class QSlider;

class CAudioDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kHeader = "head_audio";

    // Needs the player configuration (see Run).
    explicit CAudioDlg(QWidget* parent = nullptr);
    // Opens the page; without a player configuration shows message 72 instead.
    static void Run(QWidget* owner);

    QSlider* VolumeSlider() const { return m_volume; }
    CODCheckBox* HighQualityBox() const { return m_hisound; }
    CODCheckBox* Sound3dBox() const { return m_a3d; }
    CODCheckBox* EnvironmentalBox() const { return m_eax; }

    void accept() override;
    void reject() override;

private:
    AudioOptions m_options;
    QSlider* m_volume = nullptr;
    QSlider* m_suitVolume = nullptr;
    CODCheckBox* m_hisound = nullptr;
    CODCheckBox* m_music = nullptr;
    CODCheckBox* m_a3d = nullptr;
    CODCheckBox* m_eax = nullptr;
};

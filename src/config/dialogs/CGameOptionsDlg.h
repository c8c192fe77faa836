#pragma once
// The game options page: mouse, joystick and view switches and the mouse sensitivity.
#include "config/player/GameOptions.h"
#include "ui/CKSDialog.h"

class CODCheckBox;
class QSlider;

class CGameOptionsDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kHeader = "head_advanced";

    // Needs the player configuration (see Run).
    explicit CGameOptionsDlg(QWidget* parent = nullptr);
    // Opens the page; without a player configuration shows message 72 instead.
    static void Run(QWidget* owner);

    CODCheckBox* MouseLookBox() const { return m_mouseLook; }
    CODCheckBox* ReverseMouseBox() const { return m_reverse; }
    CODCheckBox* LookStrafeBox() const { return m_lookStrafe; }
    CODCheckBox* LookSpringBox() const { return m_lookSpring; }
    QSlider* SensitivitySlider() const { return m_sensitivity; }

    void accept() override;

private:
    CODCheckBox* AddBox(int message, bool& state, int row, int column);

    GameOptions m_options;
    CODCheckBox* m_mouseLook = nullptr;
    CODCheckBox* m_reverse = nullptr;
    CODCheckBox* m_lookStrafe = nullptr;
    CODCheckBox* m_lookSpring = nullptr;
    QSlider* m_sensitivity = nullptr;
};

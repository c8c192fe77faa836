#pragma once
// The keyboard dialog: binds the game's actions to keys, mouse buttons, the wheel and
// joystick buttons. OK writes the bindings into config.cfg; Cancel asks first when
// something changed; Use defaults shows the default bindings; Advanced opens the game
// options.
#include "config/keys/JoystickSource.h"
#include "config/keys/KeyBindingModel.h"
#include "ui/CKSDialog.h"

#include <memory>

class CODKeySearchComboBox;
class KeyBindingList;

class CKeyboardDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kHeader = "head_controls";

    // Needs the player configuration (see Run); the joystick source is polled during
    // capture when the joystick option is on (null: the first joystick device).
    explicit CKeyboardDlg(QWidget* parent = nullptr, std::unique_ptr<JoystickSource> joystick = nullptr);
    ~CKeyboardDlg() override;
    // Opens the dialog; without a player configuration shows message 72 instead.
    static void Run(QWidget* owner);

    bool Opened() const { return m_opened; }
    KeyBindingModel& Model() { return m_model; }
    KeyBindingList* List() const { return m_list; }
    CODKeySearchComboBox* Chooser() const { return m_chooser; }

    void accept() override;
    void UseDefaults();

protected:
    void OnEscape() override;

private:
    KeyBindingModel m_model;
    KeyBindingList* m_list = nullptr;
    CODKeySearchComboBox* m_chooser = nullptr;
    bool m_opened = false;
};

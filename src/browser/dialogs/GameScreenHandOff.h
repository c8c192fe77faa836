#pragma once
// A games dialog while the engine has the screen. After a join or a resume the dialog
// leaves the screen (as the main menu does) but stays open in its modal loop, whose
// idle processing keeps running the engine frames; when the engine gives the screen
// back (the player returns to the menu, or the game ends) the dialog is shown again,
// and the player is back in the browser they left.
class QDialog;

class GameScreenHandOff
{
public:
    explicit GameScreenHandOff(QDialog& dialog) : m_dialog(dialog) {}

    // The engine has the screen: hides the dialog without ending its modal loop.
    void Hide();
    bool Hidden() const { return m_hidden; }
    // From the dialog's idle processing: once the engine no longer has the screen the
    // dialog is shown again. True at that moment only.
    bool ComeBack();

private:
    QDialog& m_dialog;
    bool m_hidden = false;
};

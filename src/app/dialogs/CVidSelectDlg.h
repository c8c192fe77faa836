#pragma once
// The video menu: the video mode dialog, the video options dialog and the video help.
#include "ui/CKSDialog.h"

class CVidSelectDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBackground = "dialog_small";
    static constexpr const char* kHeader = "head_video";
    static constexpr int kHelpString = 472;
    static constexpr int kMessageLeaveGame = 559;
    static constexpr int kChoiceWidth = 200;

    explicit CVidSelectDlg(QWidget* parent = nullptr);

    CODBlendBtn* ModeButton() const { return m_mode; }
    CODBlendBtn* OptionsButton() const { return m_options; }
    CODBlendBtn* HelpButton() const { return m_help; }

    // Before the mode dialog: a multiplayer game is left only when the player agrees,
    // then the engine is unloaded so that its next start uses the new choice. False
    // when the player keeps the game.
    static bool PrepareForModeChange();

private:
    CODBlendBtn* AddChoice(const QString& label, int row);

    CODBlendBtn* m_mode = nullptr;
    CODBlendBtn* m_options = nullptr;
    CODBlendBtn* m_help = nullptr;
};

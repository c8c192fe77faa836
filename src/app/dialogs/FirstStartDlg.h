#pragma once
// The first-start dialog: shown when no game tree was found (GameTreeChoice). The
// player chooses the folder the game is installed in, or has the demo world laid out
// in their data folder; the choice is remembered for the next start. The dialog only
// wires buttons to GameTreeChoice and DemoWorldLayout.
#include "app/files/DemoWorldLayout.h"
#include "app/settings/GameTreeChoice.h"
#include "ui/CKSDialog.h"

#include <functional>

class QLabel;

class FirstStartDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr int kWidth = 500;
    static constexpr int kHeight = 260;

    // Asks the player for a folder; empty when they cancelled.
    using FolderAsker = std::function<QString(QWidget* parent, const QString& start)>;

    explicit FirstStartDlg(GameTreeChoice choice, QWidget* parent = nullptr);

    // Runs the dialog modally; the folder chosen, or empty when the player quit.
    static QString Ask(const GameTreeChoice& choice);

    // The game tree chosen (valid once the dialog was accepted).
    const QString& ChosenFolder() const { return m_chosen; }

    // The buttons' actions.
    void ChooseFolder();
    void LayOutDemoWorld();
    // Takes the folder when it holds a game; says why not otherwise.
    bool UseFolder(const QString& folder);

    void SetFolderAsker(FolderAsker asker) { m_askFolder = std::move(asker); }
    QLabel* StatusLine() const { return m_status; }
    CODBlendBtn* DemoButton() const { return m_demo; }
    CODBlendBtn* FolderButton() const { return m_folder; }

protected:
    void OnEscape() override;

private:
    void OnDemoFinished(bool ok);
    void SetBusy(bool busy);
    void ShowStatus(const QString& text, bool problem);

    GameTreeChoice m_choice;
    DemoWorldLayout m_layout;
    FolderAsker m_askFolder;
    QString m_chosen;
    QLabel* m_status = nullptr;
    CODBlendBtn* m_demo = nullptr;
    CODBlendBtn* m_folder = nullptr;
    CODBlendBtn* m_quit = nullptr;
};

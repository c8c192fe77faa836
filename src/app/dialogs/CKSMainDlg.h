#pragma once
// The launcher's main window: the splash backdrop with the button strip, the version
// text, minimise and close buttons. Its idle processing runs the engine and serves
// the engine's requests; the decisions are MainMenuModel's.
#include "app/menu/LogoAnimation.h"
#include "app/menu/MainMenuModel.h"
#include "ui/CKSDialog.h"

#include <QPixmap>
#include <functional>
#include <map>

class CODBlendBtn;

class CKSMainDlg : public CKSDialog
{
    Q_OBJECT
public:
    static constexpr int kCloseButtonSize = 19;
    static constexpr int kMinimiseFromRight = 48;
    static constexpr int kCloseFromRight = 29;
    static constexpr int kCornerButtonTop = 10;
    static constexpr int kButtonsLeft = 36;
    static constexpr int kButtonsTop = 184;
    static constexpr int kButtonsBottomMargin = 20;
    static constexpr int kButtonGap = 3;
    static constexpr int kVersionFontPixels = 10;
    static constexpr int kVersionMargin = 8;
    static inline const QColor kVersionColour{120, 90, 31};

    // What a choice of another subsystem opens (the browsers, chat, pages).
    using Action = std::function<void(QWidget* menu)>;
    static void SetAction(int id, Action action);

    explicit CKSMainDlg(QWidget* parent = nullptr);
    ~CKSMainDlg() override;

    const MainMenuModel& Model() const { return m_model; }
    // The button of a strip choice or a corner button; nullptr for the others.
    CODBlendBtn* Button(int id) const;
    // Shows and enables the buttons for the current situation.
    void RefreshButtons();
    // Runs the choice as a click on its button would.
    void Choose(int id);
    bool GameInProgress() const;
    const LogoAnimation& Logo() const { return m_logo; }
    // The display could not be taken when the menu opened (message 136 was shown):
    // the menu closes at once.
    bool DisplayFailed() const { return m_displayFailed; }

    int exec() override;

    // Idle processing of the menu (called by the dialog base's idle loop).
    bool OnIdle() override;

    // The engine hides the menu while it has the screen; that must not end the menu's
    // modal loop, which only quitting does.
    void setVisible(bool visible) override;

protected:
    void OnEscape() override;
    void paintEvent(QPaintEvent* event) override;
    // While the engine runs, keys given to the menu go to the engine window.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void CreateButtons();
    void PlaceButtons();
    void QuickStart();
    void Quit();
    void ServeRequests();
    void KeepEngineWindowInFront();
    bool LauncherInFront() const;
    bool PassKeyToEngine(QKeyEvent* event);

    MainMenuModel m_model;
    LogoAnimation m_logo;
    QPixmap m_splash;
    std::map<int, CODBlendBtn*> m_buttons;
    QString m_version;
    bool m_firstIdle = true;
    bool m_quitting = false;
    bool m_inChoice = false;
    bool m_displayFailed = false;
};

#include "app/dialogs/CKSMainDlg.h"

#include "app/dialogs/CConfigDlg.h"
#include "app/engine/EngineHost.h"
#include "app/engine/EngineWindow.h"
#include "app/engine/QtEngineDisplay.h"
#include "app/files/DocumentOpener.h"
#include "app/files/SearchPath.h"
#include "app/menu/LauncherJoin.h"
#include "app/menu/MenuCommandQueue.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/ButtonStrip.h"
#include "app/text/FatalError.h"
#include "app/text/Messages.h"
#include "app/text/SkinBitmapImage.h"
#include "app/video/VideoDisplay.h"
#include "platform/TerminationSignals.h"
#include "ui/CODBlendBtn.h"
#include "ui/MenuSound.h"
#include "ui/SkinImages.h"
#include "ui/SkinPalette.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QPainter>

namespace {

constexpr const char* kReadmeName = "readme.txt";
constexpr int kMessageDisplayFailed = 136;

// Diagnostics of the main menu, silent unless QT_LOGGING_RULES asks for them
// ("kestrel.menu.info=true"); process tests wait for the first idle moment with it.
Q_LOGGING_CATEGORY(lcMainMenu, "kestrel.menu", QtWarningMsg)

std::map<int, CKSMainDlg::Action>& Actions()
{
    static std::map<int, CKSMainDlg::Action> actions;
    return actions;
}

QString PlainLabel(const char* label)
{
    return QString::fromUtf8(label).remove(QLatin1Char('&'));
}

} // namespace

void CKSMainDlg::SetAction(int id, Action action)
{
    Actions()[id] = std::move(action);
}

CKSMainDlg::CKSMainDlg(QWidget* parent) : CKSDialog(parent)
{
    const LauncherState& state = Launcher();
    setWindowTitle(QStringLiteral("Kestrel"));
    setFixedSize(state.launcherWidth, state.launcherHeight);
    m_splash = SkinImages::Get(kSplashBitmapName);
    m_version = QString::fromStdString(MainMenuModel::VersionText(state.patchVersion));

    QtEngineDisplay& display = TheEngineDisplay();
    if (!display.Windowed())
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    // The menu starts with no engine; the engine window lives as long as the menu.
    StopEngine();
    if (!display.Windowed() && (!AcquireDirectDraw(true) || !SetDisplayMode(-1))) {
        ShowMessage(kMessageDisplayFailed);
        m_displayFailed = true;
    }
    display.SetMenuWindow(this);
    display.CreateEngineWindow();

    CreateButtons();
    RefreshButtons();

    m_logo.SetFlying(LogoAnimation::Flies());
    m_logo.Load(FindLooseFile(LogoAnimation::kFileName));
    connect(&m_logo, &LogoAnimation::FrameChanged, this, [this] { update(LogoAnimation::Strip(width())); });
    m_logo.Start();
}

int CKSMainDlg::exec()
{
    if (m_displayFailed) {
        setResult(QDialog::Rejected);
        return QDialog::Rejected;
    }
    return CKSDialog::exec();
}

CKSMainDlg::~CKSMainDlg()
{
    TheEngineDisplay().SetMenuWindow(nullptr);
}

void CKSMainDlg::CreateButtons()
{
    const ButtonStrip& strip = MainButtonStrip();
    QPixmap stripImage;
    if (strip.Loaded())
        stripImage = QPixmap::fromImage(SkinBitmapImage(strip.Bitmap()));
    const ButtonCellSize cell = strip.CellSize();

    for (const MainMenuChoice& choice : MainMenuModel::Choices()) {
        if (choice.stripIndex < 0)
            continue;
        auto* button = new CODBlendBtn(PlainLabel(choice.label), this);
        if (stripImage.isNull() || !button->SetStripCell(stripImage, choice.stripIndex, cell.width, cell.height))
            button->resize(cell.width, cell.height);
        button->setFocusPolicy(Qt::StrongFocus);
        button->SetSounds(kSoundGlow, choice.id == kMenuQuit ? kSoundDownMenu : kSoundSelect1);
        const int id = choice.id;
        connect(button, &QAbstractButton::clicked, this, [this, id] { Choose(id); });
        m_buttons[id] = button;
    }

    const struct
    {
        int id;
        const char* normal;
        const char* hover;
        const char* down;
        int fromRight;
    } corners[] = {{kMenuMinimise, "min_n", "min_f", "min_d", kMinimiseFromRight},
                   {kMenuClose, "cls_n", "cls_f", "cls_d", kCloseFromRight}};
    for (const auto& corner : corners) {
        auto* button = new CODBlendBtn(QString(), this);
        const QPixmap normal = SkinImages::Get(corner.normal);
        if (!normal.isNull())
            button->SetImages(normal, SkinImages::Get(corner.hover), SkinImages::Get(corner.down));
        else
            button->setText(corner.id == kMenuClose ? QStringLiteral("x") : QStringLiteral("_"));
        button->setFixedSize(kCloseButtonSize, kCloseButtonSize);
        button->move(width() - corner.fromRight, kCornerButtonTop);
        button->setFocusPolicy(Qt::NoFocus);
        const int id = corner.id;
        connect(button, &QAbstractButton::clicked, this, [this, id] { Choose(id); });
        m_buttons[id] = button;
    }
}

CODBlendBtn* CKSMainDlg::Button(int id) const
{
    const auto found = m_buttons.find(id);
    return found == m_buttons.end() ? nullptr : found->second;
}

bool CKSMainDlg::GameInProgress() const
{
    EngineHost& host = TheEngineHost();
    const int connection = host.Loaded() ? host.Status().connectionState : 0;
    return MainMenuModel::GameInProgress(MainMenuModel::Situation(host.State(), connection));
}

void CKSMainDlg::RefreshButtons()
{
    const bool inGame = GameInProgress();
    for (const MainMenuChoice& choice : MainMenuModel::Choices()) {
        CODBlendBtn* button = Button(choice.id);
        if (!button || choice.stripIndex < 0)
            continue;
        button->setVisible(m_model.Visible(choice.id, inGame));
        button->setEnabled(m_model.Enabled(choice.id, inGame));
    }
    PlaceButtons();
}

void CKSMainDlg::PlaceButtons()
{
    const std::vector<int> shown = m_model.VisibleChoices(GameInProgress());
    if (shown.empty())
        return;
    const int cellHeight = Button(shown.front())->height();
    const int room = height() - kButtonsTop - kButtonsBottomMargin;
    const int step = std::min(cellHeight + kButtonGap, room / int(shown.size()));
    int y = kButtonsTop;
    for (int id : shown) {
        Button(id)->move(kButtonsLeft, y);
        y += step;
    }
}

void CKSMainDlg::Choose(int id)
{
    // A choice that runs a join or a dialog pumps events; a second click waits.
    if (m_inChoice || m_quitting)
        return;
    m_inChoice = true;
    EngineHost& host = TheEngineHost();
    switch (id) {
    case kMenuQuickStart:
        QuickStart();
        break;
    case kMenuConfigure:
        if (Actions().count(id)) {
            Actions()[id](this);
        } else {
            CConfigDlg config(this);
            config.DoModal();
        }
        break;
    case kMenuReadme:
        if (!OpenDocument(DocumentPath(kReadmeName)))
            ShowFormattedMessage(MainMenuModel::kMessageCannotOpen, kReadmeName);
        break;
    case kMenuManual:
        OpenNamedDocument(MainMenuModel::kManualString);
        showMinimized();
        break;
    case kMenuReturnToGame:
    case kMenuConsole:
        host.RunEngine(false);
        break;
    case kMenuQuit:
    case kMenuClose:
        m_inChoice = false;
        Quit();
        return;
    case kMenuMinimise:
        showMinimized();
        break;
    case kMenuFatalError:
        // The engine's fatal error ends the launcher too, once the player has read it.
        if (host.FatalErrorPending())
            FatalError("%s", host.FatalErrorText().c_str());
        break;
    default:
        if (Actions().count(id))
            Actions()[id](this);
        break;
    }
    m_inChoice = false;
    if (!m_quitting)
        RefreshButtons();
}

void CKSMainDlg::QuickStart()
{
    LauncherJoinServer(nullptr);
}

void CKSMainDlg::Quit()
{
    if (m_quitting)
        return;
    int updaterFlag = Launcher().updaterFlag;
    const bool confirmed = TerminationSignals::Received() || m_model.ConfirmQuit(GameInProgress(), updaterFlag);
    Launcher().updaterFlag = updaterFlag;
    if (!confirmed)
        return;
    m_quitting = true;
    m_logo.Stop();
    TheEngineHost().QuitGame();
    TheEngineDisplay().DestroyEngineWindow();
    if (isHidden()) {
        // The engine had the screen: the dialog's loop only ends when a shown dialog
        // closes, so it is shown for that moment, but not on the screen.
        setAttribute(Qt::WA_DontShowOnScreen, true);
        QWidget::setVisible(true);
    }
    accept();
}

void CKSMainDlg::setVisible(bool visible)
{
    if (!visible && !m_quitting) {
        QWidget::setVisible(false);
        return;
    }
    CKSDialog::setVisible(visible);
}

void CKSMainDlg::OnEscape()
{
    if (MainMenuModel::Escape(GameInProgress()) == EscapeAction::ResumeGame)
        Choose(kMenuReturnToGame);
    else
        Quit();
}

bool CKSMainDlg::OnIdle()
{
    if (m_quitting || m_inChoice)
        return false;
    m_model.NoteIdle();
    if (Launcher().updaterFlag) {
        Quit();
        return false;
    }
    EngineHost& host = TheEngineHost();
    if (m_firstIdle) {
        m_firstIdle = false;
        qCInfo(lcMainMenu, "main menu idle");
        if (MainMenuModel::StartEngineAtOnce())
            host.RunEngine(false);
    }
    std::string command = TakeMenuCommand();
    if (!command.empty()) {
        while (!command.empty() && command.back() == '\n')
            command.pop_back();
        host.RunEngine(false, command);
    }

    QtEngineDisplay& display = TheEngineDisplay();
    if (host.State() == kEngineRunning && !host.Background() && display.EngineWindowVisible())
        KeepEngineWindowInFront();
    const bool more = CKSDialog::OnIdle(); // the frame pump and registered work
    if (host.State() == kEngineRunning && !host.Background()) {
        m_logo.Stop(); // nobody sees it while the engine has the screen
        return true;
    }
    if (display.EngineWindowVisible() && display.LauncherActive())
        display.TakeScreenBack();
    ServeRequests();
    if (m_quitting)
        return more;
    RefreshButtons();
    // Back on the menu (the engine asked for it, or failed to start): the logo runs
    // again from its first frame.
    if (!m_logo.Running())
        m_logo.Start();
    return more;
}

bool CKSMainDlg::LauncherInFront() const
{
    if (!TheEngineDisplay().LauncherActive())
        return false;
    const QWidget* active = QApplication::activeWindow();
    if (!active)
        return true;
    const QWidget* engineWindow = TheEngineDisplay().Window();
    for (const QWidget* w = active; w; w = w->parentWidget()) {
        if (w == this || w == engineWindow)
            return true;
    }
    return false;
}

void CKSMainDlg::KeepEngineWindowInFront()
{
    EngineWindow* window = TheEngineDisplay().Window();
    if (!window)
        return;
    const bool onTop =
        MainMenuModel::EngineWindowOnTop(LauncherInFront(), m_model.ConsoleOption(), FindOption("-notopmost"));
    if (!onTop && QWidget::mouseGrabber() == window)
        window->releaseMouse();
    // Changing the hint re-creates the native window, so only a change is applied.
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop) {
        window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        window->show();
    }
    if (onTop && !window->hasFocus())
        window->setFocus();
}

bool CKSMainDlg::PassKeyToEngine(QKeyEvent* event)
{
    EngineWindow* window = TheEngineDisplay().Window();
    if (TheEngineHost().State() != kEngineRunning || !window)
        return false;
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->nativeScanCode(), event->nativeVirtualKey(),
                   event->nativeModifiers(), event->text(), event->isAutoRepeat(), ushort(event->count()));
    QCoreApplication::sendEvent(window, &copy);
    return true;
}

void CKSMainDlg::keyPressEvent(QKeyEvent* event)
{
    if (!PassKeyToEngine(event))
        CKSDialog::keyPressEvent(event);
}

void CKSMainDlg::keyReleaseEvent(QKeyEvent* event)
{
    if (!PassKeyToEngine(event))
        CKSDialog::keyReleaseEvent(event);
}

void CKSMainDlg::ServeRequests()
{
    EngineHost& host = TheEngineHost();
    for (int request = 1; request < EngineHost::kRequestCount; ++request) {
        if (!host.TakeRequest(request))
            continue;
        switch (MainMenuModel::ActionForRequest(request)) {
        case MenuRequestAction::RefreshMenu:
            RefreshButtons();
            m_logo.Start(); // from its first frame
            break;
        case MenuRequestAction::OpenManual:
            OpenNamedDocument(MainMenuModel::kRequestManualString);
            showMinimized();
            break;
        case MenuRequestAction::PressQuit:
            Quit();
            break;
        case MenuRequestAction::None:
            break;
        }
        if (m_quitting)
            return;
    }
}

void CKSMainDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (m_splash.isNull())
        painter.fillRect(rect(), Palette().background.darker(160));
    else
        painter.drawPixmap(rect(), m_splash);
    if (!m_logo.Frame().isNull())
        painter.drawImage(LogoAnimation::Strip(width()), m_logo.Frame());

    QFont font = SkinFont(kVersionFontPixels);
    painter.setFont(font);
    painter.setPen(kVersionColour);
    painter.drawText(rect().adjusted(0, 0, -kVersionMargin, -kVersionMargin / 2), Qt::AlignRight | Qt::AlignBottom,
                     m_version);
}

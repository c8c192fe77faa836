#include "app/dialogs/FirstStartDlg.h"

#include "app/text/ColourList.h"
#include "ui/CODBlendBtn.h"

#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr const char* kTitle = "Welcome to Kestrel";
constexpr const char* kIntroText =
    "Kestrel runs on the files of the game: a folder that holds its <b>harrow</b> and <b>vrel</b> "
    "folders. None was found beside the program.";
constexpr const char* kChoiceText =
    "Choose the folder the game is installed in, or lay out the demo world, a small game made for "
    "trying Kestrel, in<br><i>%1</i>";
constexpr const char* kNoGameText = "%1 holds no game: it needs a harrow and a vrel folder.";
constexpr const char* kWorkingText = "Laying out the demo world\u2026";
constexpr const char* kFailedText = "The demo world could not be laid out: %1";
// Without a game tree no colour list is loaded, and an empty list makes every skin
// colour grey; one entry of the dialog's own lets the list's built-in colours (the
// amber accent) apply. Start-up reads the game's list afterwards, replacing it.
constexpr const char* kOwnColour = "FIRST_START_SURFACE 63 63 63";

// A folder as the player reads it: the home folder as "~".
QString Shown(const QString& folder)
{
    const QString home = QDir::homePath();
    if (folder == home || folder.startsWith(home + '/'))
        return '~' + folder.mid(home.size());
    return QDir::toNativeSeparators(folder);
}

QString AskWithFileDialog(QWidget* parent, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Game folder"), start);
}

} // namespace

FirstStartDlg::FirstStartDlg(GameTreeChoice choice, QWidget* parent)
    : CKSDialog(parent), m_choice(std::move(choice)), m_askFolder(AskWithFileDialog)
{
    setFixedSize(kWidth, kHeight);
    SetTitleText(QString::fromUtf8(kTitle));

    auto* layout = new QVBoxLayout(Content());
    layout->setContentsMargins(4, 6, 4, 6);
    layout->setSpacing(12);
    for (const QString& text :
         {QString::fromUtf8(kIntroText),
          QString::fromUtf8(kChoiceText).arg(Shown(GameTreeChoice::DemoWorldFolder()).toHtmlEscaped())}) {
        auto* label = new QLabel(text, Content());
        label->setTextFormat(Qt::RichText);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addStretch(1);
    m_status = new QLabel(Content());
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    layout->addWidget(m_status);

    // In adding order from the left: Quit, then the two choices, the demo world (the
    // choice that always works) at the right edge with the focus.
    m_quit = AddButton(QStringLiteral("Quit"), QDialog::Rejected);
    m_folder = AddButton(QStringLiteral("Game folder\u2026"));
    m_demo = AddButton(QStringLiteral("Demo world"));
    connect(m_folder, &QAbstractButton::clicked, this, &FirstStartDlg::ChooseFolder);
    connect(m_demo, &QAbstractButton::clicked, this, &FirstStartDlg::LayOutDemoWorld);
    connect(&m_layout, &DemoWorldLayout::Finished, this, &FirstStartDlg::OnDemoFinished);
    SetDefaultButton(m_demo);
    m_demo->setFocus();
}

QString FirstStartDlg::Ask(const GameTreeChoice& choice)
{
    if (LoadedColourList().IsEmpty())
        LoadedColourList().Parse(kOwnColour);
    FirstStartDlg dialog(choice);
    return dialog.DoModal() == QDialog::Accepted ? dialog.ChosenFolder() : QString();
}

void FirstStartDlg::ChooseFolder()
{
    const QString folder = m_askFolder ? m_askFolder(this, QDir::homePath()) : QString();
    if (!folder.isEmpty())
        UseFolder(folder);
}

bool FirstStartDlg::UseFolder(const QString& folder)
{
    if (!GameTreeChoice::ChooseFolder(folder)) {
        ShowStatus(QString::fromUtf8(kNoGameText).arg(Shown(folder)), true);
        return false;
    }
    m_chosen = QDir::cleanPath(QDir(folder).absolutePath());
    accept();
    return true;
}

void FirstStartDlg::LayOutDemoWorld()
{
    if (m_layout.Running())
        return;
    // The generator always runs, even over a world laid out before: a run that was
    // stopped halfway leaves a tree that looks whole but lacks its last files, and the
    // generator rewrites every file in under a second.
    const QString folder = GameTreeChoice::DemoWorldFolder();
    if (!m_layout.Start(m_choice.DemoGeneratorPath(), folder)) {
        ShowStatus(QString::fromUtf8(kFailedText).arg(m_layout.Error()), true);
        return;
    }
    SetBusy(true);
    ShowStatus(QString::fromUtf8(kWorkingText), false);
}

void FirstStartDlg::OnDemoFinished(bool ok)
{
    SetBusy(false);
    if (!ok) {
        ShowStatus(QString::fromUtf8(kFailedText).arg(m_layout.Error()), true);
        return;
    }
    UseFolder(GameTreeChoice::DemoWorldFolder());
}

void FirstStartDlg::OnEscape()
{
    // Escape while the generator runs stops it; otherwise it quits like the button.
    if (m_layout.Running()) {
        m_layout.Cancel();
        return;
    }
    CKSDialog::OnEscape();
}

void FirstStartDlg::SetBusy(bool busy)
{
    m_demo->setEnabled(!busy);
    m_folder->setEnabled(!busy);
    setCursor(busy ? Qt::BusyCursor : Qt::ArrowCursor);
}

void FirstStartDlg::ShowStatus(const QString& text, bool problem)
{
    m_status->setStyleSheet(problem ? QStringLiteral("color: %1;").arg(Palette().accent.name()) : QString());
    m_status->setText(text);
}

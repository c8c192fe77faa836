// The shell's own dialogs: the prompt (one and two buttons, a long text), the input
// dialog, and a sample dialog that shows every skinned control.
#include "Shot.h"

#include "app/text/ButtonStrip.h"
#include "ui/CKSDialog.h"
#include "ui/CKSInputDlg.h"
#include "ui/CKSPromptDlg.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"
#include "ui/CODKSListCtrl.h"
#include "ui/SkinImages.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {

KSListCell Text(const QString& text)
{
    KSListCell cell;
    cell.text = text;
    return cell;
}

KSListCell Icon(const char* name)
{
    KSListCell cell;
    cell.icon = name;
    return cell;
}

KSListCell Number(double value, const QString& text)
{
    KSListCell cell = Text(text);
    cell.number = value;
    cell.hasNumber = true;
    return cell;
}

KSListColumn Column(const char* heading, int width, bool icon = false, bool right = false)
{
    KSListColumn column;
    column.heading = heading;
    column.width = width;
    column.icon = icon;
    if (right)
        column.alignment = Qt::AlignRight | Qt::AlignVCenter;
    return column;
}

std::unique_ptr<QWidget> ServerListSample(QWidget* parent)
{
    auto* list = new CODKSListCtrl(parent);
    list->SetColumns({
        Column("", 16, true),
        Column("", 16, true),
        Column("", 16, true),
        Column("", 16, true),
        Column("Server", 170),
        Column("Ping", 50, false, true),
        Column("Map", 90),
        Column("Players", 60, false, true),
    });
    static const char* const names[] = {"Ashfall Arena", "Stormcrag [24/7]",     "Saltworks Public", "Hollowspire CTF",
                                        "Windward Coop", "Kestrel Night League", "LAN Party 3",      "Dusk Falcons",
                                        "Old Harbour",   "Cliffside Duel",       "North Relay",      "Second Wind"};
    static const char* const maps[] = {"ashfall", "stormcrag", "saltworks", "hollowspire"};
    std::vector<KSListRow> rows;
    for (uint32_t i = 0; i < 40; ++i) {
        KSListRow row;
        row.serial = i;
        const int ping = int(30 + (i * 53) % 400);
        const int players = int((i * 7) % 17);
        row.cells = {
            Icon(i % 5 == 0 ? "favorite" : "nonfav"),
            Icon(i % 4 == 1 ? "lock" : "unlock"),
            Icon(i % 6 == 2 ? "proxy" : (i % 3 ? "dedicate" : "listen")),
            Icon(i % 2 ? "linux" : "windows"),
            Text(QString(" %1").arg(names[i % 12]) + (i >= 12 ? QString(" #%1").arg(i / 12 + 1) : QString())),
            Number(ping, QString::number(ping)),
            Text(QString(" %1").arg(maps[i % 4])),
            Number(players, QString(" %1/16").arg(players)),
        };
        if (i % 6 == 2) {
            row.textColour = QColor(63, 255, 63);
            row.selectedTextColour = QColor(127, 255, 63);
        }
        rows.push_back(std::move(row));
    }
    list->Model()->SetRows(std::move(rows));
    list->SetSortKeys(nullptr);
    TheSortKeyList().FromText("6;");
    list->Sort();
    list->setCurrentIndex(list->Model()->index(2, 0));
    return std::unique_ptr<QWidget>(list);
}

std::unique_ptr<QWidget> SampleDialog()
{
    auto dialog = std::make_unique<CKSDialog>(nullptr, "dialog");
    dialog->SetHeader("head_config");
    auto* tabs = new CODTabCtrl;

    auto* servers = new QWidget;
    auto* serversLayout = new QVBoxLayout(servers);
    serversLayout->setContentsMargins(6, 6, 6, 6);
    serversLayout->addWidget(ServerListSample(servers).release());
    tabs->addTab(servers, "Servers");

    auto* options = new QWidget;
    auto* form = new QGridLayout(options);
    form->setContentsMargins(12, 10, 12, 10);
    form->setHorizontalSpacing(14);
    form->setVerticalSpacing(9);
    auto* name = new QLineEdit("Falconer");
    auto* renderer = new CODComboBox;
    renderer->addItems({"OpenGL", "Software", "Direct3D"});
    auto* mode = new CODComboBox;
    mode->addItems({"640 x 480", "800 x 600", "1024 x 768"});
    mode->setCurrentIndex(1);
    auto* volume = new CODSlider;
    volume->setRange(0, 100);
    volume->setValue(70);
    auto* sensitivity = new CODSlider;
    sensitivity->setRange(0, 100);
    sensitivity->setValue(35);
    auto* windowed = new CODCheckBox("Run in a &window");
    windowed->setChecked(true);
    auto* autoaim = new CODCheckBox("&Auto aim");
    auto* disabled = new CODCheckBox("Hardware gamma (unavailable)");
    disabled->setEnabled(false);
    int row = 0;
    form->addWidget(new QLabel("Player name"), row, 0);
    form->addWidget(name, row++, 1);
    form->addWidget(new QLabel("Renderer"), row, 0);
    form->addWidget(renderer, row++, 1);
    form->addWidget(new QLabel("Video mode"), row, 0);
    form->addWidget(mode, row++, 1);
    form->addWidget(new QLabel("Volume"), row, 0);
    form->addWidget(volume, row++, 1);
    form->addWidget(new QLabel("Mouse sensitivity"), row, 0);
    form->addWidget(sensitivity, row++, 1);
    form->addWidget(windowed, row++, 1);
    form->addWidget(autoaim, row++, 1);
    form->addWidget(disabled, row++, 1);
    form->setRowStretch(row, 1);
    form->setColumnStretch(1, 1);
    tabs->addTab(options, "Options");
    tabs->addTab(new QWidget, "Keys");
    tabs->addTab(new QWidget, "Audio");

    auto* layout = new QVBoxLayout(dialog->Content());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabs);

    dialog->AddButton("&Done", QDialog::Accepted);
    dialog->AddButton("Cancel", QDialog::Rejected);
    CODBlendBtn* help = dialog->AddButton("Help");
    help->setEnabled(false);
    dialog->SetDefaultButton(dialog->Buttons().front());
    return dialog;
}

std::unique_ptr<QWidget> SampleDialogOptionsTab()
{
    std::unique_ptr<QWidget> dialog = SampleDialog();
    if (auto* tabs = dialog->findChild<CODTabCtrl*>())
        tabs->setCurrentIndex(1);
    return dialog;
}

// The skin's own buttons: cells of the main strip and the window buttons, and the
// drawn buttons beside them.
std::unique_ptr<QWidget> SkinButtons()
{
    auto dialog = std::make_unique<CKSDialog>(nullptr, "dialog_small");
    dialog->SetTitleText("Buttons");
    auto* minimise = new CODBlendBtn({}, dialog.get());
    minimise->SetSkinBitmaps("min_n", "min_f", "min_d");
    minimise->move(dialog->width() - 48, 12);
    minimise->setFocusPolicy(Qt::NoFocus);
    auto* close = new CODBlendBtn({}, dialog.get());
    close->SetSkinBitmaps("cls_n", "cls_f", "cls_d");
    close->move(dialog->width() - 29, 12);
    close->setFocusPolicy(Qt::NoFocus);

    const ButtonStrip strip = [] {
        ButtonStrip loaded;
        loaded.Load();
        return loaded;
    }();
    const QPixmap cells = SkinImages::Get(kMainButtonStripName);
    auto* grid = new QGridLayout(dialog->Content());
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(10);
    for (int i = 0; i < 3; ++i) {
        auto* button = new CODBlendBtn;
        button->SetStripCell(cells, i, strip.CellSize().width, strip.CellSize().height);
        grid->addWidget(button, i, 0);
    }
    grid->addWidget(new CODBlendBtn("Refresh"), 0, 1);
    auto* other = new CODBlendBtn("Add Server");
    grid->addWidget(other, 1, 1);
    auto* off = new CODBlendBtn("Disconnect");
    off->setEnabled(false);
    grid->addWidget(off, 2, 1);
    dialog->AddButton("Close", QDialog::Accepted);
    return dialog;
}

// A dialog without a background bitmap: the drawn surface with its bands.
std::unique_ptr<QWidget> PlainDialog()
{
    auto dialog = std::make_unique<CKSDialog>();
    dialog->setFixedSize(420, 260);
    dialog->SetTitleText("Add Server");
    auto* form = new QFormLayout(dialog->Content());
    form->setContentsMargins(8, 8, 8, 8);
    form->setVerticalSpacing(10);
    form->addRow(new QLabel("Type the address of a game server, with its port when it is not the usual one."));
    form->addRow("Address", new QLineEdit("127.0.0.1:27015"));
    auto* favourite = new CODCheckBox("Add to &favourites");
    favourite->setChecked(true);
    form->addRow("", favourite);
    if (auto* label = qobject_cast<QLabel*>(form->itemAt(0)->widget()))
        label->setWordWrap(true);
    dialog->SetDefaultButton(dialog->AddButton("OK", QDialog::Accepted));
    dialog->AddButton("Cancel", QDialog::Rejected);
    return dialog;
}

} // namespace

void AddUiShots(std::vector<Shot>& shots)
{
    shots.push_back({"prompt_ok", [] {
                         return std::make_unique<CKSPromptDlg>("The server is running another version of the game.",
                                                               PromptButtons::Ok);
                     }});
    shots.push_back({"prompt_yesno", [] {
                         return std::make_unique<CKSPromptDlg>(
                             "A game is in progress. Do you want to leave it and quit Kestrel?", PromptButtons::YesNo);
                     }});
    shots.push_back({"prompt_long", [] {
                         std::string text = "Could not complete connection attempt.";
                         for (int i = 0; i < 4; ++i)
                             text += " The server did not answer within the time allowed; it may be full, "
                                     "password protected or no longer running.";
                         return std::make_unique<CKSPromptDlg>(text, PromptButtons::OkCancel);
                     }});
    shots.push_back({"input_password",
                     [] { return std::make_unique<CKSInputDlg>("This server needs a password:", 128, "sesame"); }});
    shots.push_back({"sample_dialog", [] { return SampleDialog(); }});
    shots.push_back({"skin_buttons", [] { return SkinButtons(); }});
    shots.push_back({"plain_dialog", [] { return PlainDialog(); }});
    shots.push_back({"sample_dialog_options", [] { return SampleDialogOptionsTab(); }});
}

#include "browser/dialogs/CFilterDialog.h"

#include "app/text/StringList.h"
#include "browser/list/FilterChoices.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODControls.h"
#include "ui/InputPrompt.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kMsgOk = 280;
constexpr int kMsgCancel = 251;
constexpr int kComboWidth = 96;
constexpr int kRowHeight = 24; // every row as high as the ping list

QString Text(int message)
{
    return QString::fromStdString(GetString(message));
}

} // namespace

CFilterDialog::CFilterDialog(std::string section, QWidget* parent)
    : CKSDialog(parent, kBackground), m_section(std::move(section))
{
    SetTitleText(QStringLiteral("Server Filters"));
    auto* grid = new QGridLayout(Content());
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(1);

    m_game = AddCheck(QStringLiteral("Only this game"));
    m_game->setEnabled(false);
    m_responded = AddCheck(QStringLiteral("Hide unanswered"));
    m_empty = AddCheck(QStringLiteral("Hide empty"));
    m_full = AddCheck(QStringLiteral("Hide full"));
    m_favorite = AddCheck(QStringLiteral("Favourites only"));
    m_dedicated = AddCheck(QStringLiteral("Dedicated only"));
    m_linux = AddCheck(QStringLiteral("Linux only"));
    m_proxiesOnly = AddCheck(QStringLiteral("Proxies only"));
    m_noProxies = AddCheck(QStringLiteral("No proxies"));
    m_ping = AddCheck(QStringLiteral("Ping at most"));
    m_map = AddCheck(QStringLiteral("Map"));

    const int left = 6; // the first six checks fill the left column
    int row = 0;
    int column = 0;
    for (CODCheckBox* check : {m_game, m_responded, m_empty, m_full, m_favorite, m_dedicated}) {
        grid->addWidget(check, row++, column);
    }
    row = 0;
    column = 1;
    for (CODCheckBox* check : {m_linux, m_proxiesOnly, m_noProxies}) {
        grid->addWidget(check, row++, column, 1, 2);
    }

    m_pingLimits = new CODComboBox(Content());
    for (const int limit : kPingLimits)
        m_pingLimits->addItem(QString::fromStdString(PingLimitText(limit)));
    m_pingLimits->setFixedSize(kComboWidth, kRowHeight);
    grid->addWidget(m_ping, row, column);
    grid->addWidget(m_pingLimits, row++, column + 1);

    m_mapName = new QLineEdit(Content());
    m_mapName->setMaxLength(int(ServerFilter::kMaxMapName));
    m_mapName->setFixedSize(kComboWidth, kRowHeight);
    grid->addWidget(m_map, row, column);
    grid->addWidget(m_mapName, row++, column + 1);

    // The game list is not offered: this launcher lists one game.
    m_games = new CODComboBox(Content());
    m_games->addItem(QString::fromLatin1(ServerFilter::kGameName));
    m_games->setVisible(false);
    grid->setRowStretch(left, 1);
    grid->setColumnStretch(0, 1);

    connect(m_proxiesOnly, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_noProxies->setChecked(false);
    });
    connect(m_noProxies, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_proxiesOnly->setChecked(false);
    });
    connect(m_ping, &QCheckBox::toggled, m_pingLimits, &QWidget::setEnabled);
    connect(m_map, &QCheckBox::toggled, m_mapName, &QWidget::setEnabled);

    SetFilter(ReadServerFilter(m_section));

    AddButton(Text(kMsgCancel), QDialog::Rejected);
    SetDefaultButton(AddButton(Text(kMsgOk), QDialog::Accepted));
}

CODCheckBox* CFilterDialog::AddCheck(const QString& label)
{
    auto* check = new CODCheckBox(label, Content());
    check->setFixedHeight(kRowHeight);
    return check;
}

void CFilterDialog::SetFilter(const ServerFilter& f)
{
    m_responded->setChecked(f.responded);
    m_empty->setChecked(f.empty);
    m_full->setChecked(f.full);
    m_favorite->setChecked(f.favorite);
    m_ping->setChecked(f.ping);
    m_pingLimits->setCurrentIndex(PingLimitIndex(f.pingMax));
    m_pingLimits->setEnabled(f.ping);
    m_game->setChecked(true);
    m_games->setCurrentIndex(0);
    m_map->setChecked(f.map);
    m_mapName->setText(QString::fromStdString(CutUtf8(f.mapName, ServerFilter::kMaxMapName)));
    m_mapName->setEnabled(f.map);
    m_linux->setChecked(f.linuxOnly);
    m_dedicated->setChecked(f.dedicatedOnly);
    // A stored pair with both set shows as proxies only.
    m_noProxies->setChecked(f.noProxies && !f.proxiesOnly);
    m_proxiesOnly->setChecked(f.proxiesOnly);
}

ServerFilter CFilterDialog::Filter() const
{
    ServerFilter f;
    f.responded = m_responded->isChecked();
    f.empty = m_empty->isChecked();
    f.full = m_full->isChecked();
    f.favorite = m_favorite->isChecked();
    f.ping = m_ping->isChecked();
    f.pingMax = PingLimitAt(m_pingLimits->currentIndex());
    f.game = true;
    f.gameName = m_games->currentIndex() >= 0 ? m_games->currentText().toStdString() : std::string();
    f.map = m_map->isChecked();
    f.mapName = f.map ? CutUtf8(m_mapName->text().toStdString(), ServerFilter::kMaxMapName) : std::string();
    f.linuxOnly = m_linux->isChecked();
    f.dedicatedOnly = m_dedicated->isChecked();
    SetNoProxies(f, m_noProxies->isChecked());
    SetProxiesOnly(f, m_proxiesOnly->isChecked());
    return f;
}

void CFilterDialog::done(int result)
{
    if (result == QDialog::Accepted)
        WriteServerFilter(m_section, Filter());
    CKSDialog::done(result);
}

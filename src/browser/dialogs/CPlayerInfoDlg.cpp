#include "browser/dialogs/CPlayerInfoDlg.h"

#include "app/text/StringList.h"
#include "browser/list/ServerDetailsRows.h"
#include "browser/list/ServerListColumns.h"
#include "browser/record/CServerInfo.h"
#include "ui/CODBlendBtn.h"
#include "ui/CODKSListCtrl.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>

namespace {

constexpr int kMsgServerCaption = 302;
constexpr int kMsgAddressCaption = 303;
constexpr int kMsgPingCaption = 304;
constexpr int kMsgDone = 247;
constexpr int kMsgRefresh = 273;
constexpr int kRuleListWidth = 230;
constexpr int kListFrame = 20; // the frame and the vertical scroll bar
constexpr int kHeadingPadding = 14;

QString Text(int message)
{
    return QString::fromStdString(GetString(message));
}

// Widens the columns whose heading would not fit (longer texts of other languages).
void FitHeadings(CODKSListCtrl& list)
{
    const QFontMetrics metrics(list.header()->font());
    const std::vector<KSListColumn>& columns = list.Model()->Columns();
    for (size_t i = 0; i < columns.size(); ++i) {
        const int needed = metrics.horizontalAdvance(columns[i].heading) + kHeadingPadding;
        if (list.columnWidth(int(i)) < needed)
            list.setColumnWidth(int(i), needed);
    }
}

CODKSListCtrl* MakeList(QWidget* parent)
{
    auto* list = new CODKSListCtrl(parent);
    // Both lists show what the server sent, in its order: no sort keys of their own.
    list->SetEmptyPrimaryKey(0);
    list->setSortingEnabled(false);
    list->header()->setSectionsClickable(false);
    list->header()->setSortIndicatorShown(false);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

} // namespace

CPlayerInfoDlg::CPlayerInfoDlg(const CServerInfo& record, QWidget* parent)
    : CKSDialog(parent, kBackground), m_record(record)
{
    SetTitleText(QStringLiteral("Server Details"));
    auto* grid = new QGridLayout(Content());
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(3);

    m_name = new QLabel(Content());
    m_address = new QLabel(Content());
    m_ping = new QLabel(Content());
    QLabel* captions[] = {new QLabel(Text(kMsgServerCaption), Content()),
                          new QLabel(Text(kMsgAddressCaption), Content()),
                          new QLabel(Text(kMsgPingCaption), Content())};
    QLabel* values[] = {m_name, m_address, m_ping};
    auto* header = new QGridLayout();
    header->setHorizontalSpacing(12);
    header->setVerticalSpacing(1);
    header->setColumnStretch(1, 1);
    for (int i = 0; i < 3; ++i) {
        QLabel* caption = captions[i];
        caption->setStyleSheet(QStringLiteral("color: %1;").arg(Palette().dimText.name()));
        header->addWidget(caption, i, 0);
        values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        header->addWidget(values[i], i, 1);
    }
    m_name->setStyleSheet(QStringLiteral("color: %1; font-weight: bold;").arg(Palette().accent.name()));

    m_players = MakeList(Content());
    m_players->SetColumns(PlayerListColumns());
    FitHeadings(*m_players);
    m_rules = MakeList(Content());
    m_rules->SetColumns(RuleListColumns(kRuleListWidth));
    FitHeadings(*m_rules);
    int playersWidth = kListFrame;
    for (int i = 0; i < m_players->Model()->columnCount(); ++i)
        playersWidth += m_players->columnWidth(i);
    m_players->setFixedWidth(playersWidth);
    grid->addLayout(header, 0, 0, 1, 2);
    grid->addWidget(m_players, 1, 0);
    grid->addWidget(m_rules, 1, 1);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);

    // Shown once a refresh is offered (SetRefresh).
    m_refreshButton = AddButton(Text(kMsgRefresh));
    m_refreshButton->setVisible(false);
    connect(m_refreshButton, &QAbstractButton::clicked, this, [this] {
        if (!m_refresh)
            return;
        if (m_refresh())
            ShowRecord();
        else
            done(QDialog::Rejected);
    });
    SetDefaultButton(AddButton(Text(kMsgDone), QDialog::Accepted));
    ShowRecord();
}

void CPlayerInfoDlg::SetRefresh(std::function<bool()> refresh)
{
    m_refresh = std::move(refresh);
    m_refreshButton->setVisible(bool(m_refresh));
}

void CPlayerInfoDlg::ShowRecord()
{
    m_name->setText(QString::fromStdString(m_record.name));
    m_address->setText(QString::fromStdString(AddressText(m_record)));
    m_ping->setText(QString::fromStdString(PingText(m_record)));
    m_players->Model()->SetRows(PlayerRows(m_record));
    m_rules->Model()->SetRows(RuleRows(m_record));
}

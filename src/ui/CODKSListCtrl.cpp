#include "ui/CODKSListCtrl.h"

#include "app/settings/SettingsStore.h"
#include "ui/SkinImages.h"
#include "ui/SkinPalette.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

CODKSListCtrl::CODKSListCtrl(QWidget* parent) : QTreeView(parent), m_model(new KSListModel(this))
{
    m_keys = &TheSortKeyList();
    setModel(m_model);
    setItemDelegate(new KSListDelegate(this));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    setTextElideMode(Qt::ElideRight);
    setFont(SkinFont(12));
    setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);

    const SkinPalette skin = SkinPalette::Standard();
    setStyleSheet(QStringLiteral("CODKSListCtrl { background: %1; border: 1px solid %2; outline: 0; }")
                      .arg(skin.field.name(), skin.border.name()));

    QHeaderView* head = header();
    head->setSectionsClickable(true);
    head->setSectionsMovable(false);
    head->setHighlightSections(false);
    head->setStretchLastSection(true);
    head->setSortIndicatorShown(true);
    head->setFont(SkinFont(12, true));
    head->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(head, &QHeaderView::sectionClicked, this, &CODKSListCtrl::ChooseSortKey);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const KSListRow* row = m_model->Row(index.row()))
            emit RowActivated(row->serial);
    });
}

CODKSListCtrl::~CODKSListCtrl()
{
    if (!m_sortSetting.empty())
        SetSettingString(kSortSection, m_sortSetting, m_keys->ToText());
}

void CODKSListCtrl::SetSortSetting(const std::string& name)
{
    m_sortSetting = name;
    if (!name.empty())
        m_keys->FromText(GetSettingString(kSortSection, name, kDefaultSortText));
    ShowSortIndicator();
}

void CODKSListCtrl::SetColumns(std::vector<KSListColumn> columns)
{
    m_model->SetColumns(columns);
    // Before the widths: the style's larger minimum would widen the icon columns.
    header()->setMinimumSectionSize(16);
    for (size_t i = 0; i < columns.size(); ++i) {
        setColumnWidth(int(i), columns[i].width);
        if (columns[i].icon)
            header()->setSectionResizeMode(int(i), QHeaderView::Fixed);
    }
    ShowSortIndicator();
}

void CODKSListCtrl::Sort()
{
    m_model->Sort(*m_keys, m_compare);
    ShowSortIndicator();
}

void CODKSListCtrl::ChooseSortKey(int column)
{
    m_keys->ChooseSortKey(column, m_emptyPrimary);
    Sort();
    if (const QModelIndex current = currentIndex(); current.isValid())
        scrollTo(current);
}

void CODKSListCtrl::ShowSortIndicator()
{
    const int primary = m_keys->Primary();
    const int column = std::abs(primary) - 1;
    if (column >= 0 && column < m_model->columnCount())
        header()->setSortIndicator(column, primary > 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
    else
        header()->setSortIndicator(-1, Qt::AscendingOrder);
}

void CODKSListCtrl::SelectFirstRow()
{
    if (m_model->rowCount() == 0)
        return;
    setCurrentIndex(m_model->index(0, 0));
    scrollToTop();
}

const KSListRow* CODKSListCtrl::SelectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? nullptr : m_model->Row(rows.first().row());
}

std::vector<const KSListRow*> CODKSListCtrl::SelectedRows() const
{
    std::vector<const KSListRow*> result;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        if (const KSListRow* row = m_model->Row(index.row()))
            result.push_back(row);
    return result;
}

void CODKSListCtrl::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && SelectedRow()) {
        emit RowActivated(SelectedRow()->serial);
        return;
    }
    QTreeView::keyPressEvent(event);
}

void CODKSListCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    const KSListRow* row = m_model->Row(index.row());
    if (!index.isValid() || !row) {
        QTreeView::contextMenuEvent(event);
        return;
    }
    if (!selectionModel()->isRowSelected(index.row(), {}))
        setCurrentIndex(index);
    emit RowContextMenu(row->serial, event->globalPos());
}

KSListDelegate::KSListDelegate(CODKSListCtrl* list) : QStyledItemDelegate(list), m_list(list)
{
}

QSize KSListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), CODKSListCtrl::kRowHeight);
}

void KSListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const KSListModel* model = m_list->Model();
    const KSListRow* row = model->Row(index.row());
    if (!row)
        return;
    const SkinPalette& skin = m_skin;
    const bool selected = option.state & QStyle::State_Selected;
    const bool hovered = option.state & QStyle::State_MouseOver;
    const QRect cell = option.rect;

    painter->save();
    QColor background = index.row() % 2 ? skin.field.lighter(112) : skin.field;
    if (selected)
        background = skin.accent.darker(260);
    else if (hovered)
        background = skin.field.lighter(135);
    painter->fillRect(cell, background);
    if (selected) {
        painter->setPen(skin.accent.darker(150));
        painter->drawLine(cell.topLeft(), cell.topRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
    }

    const int column = index.column();
    if (m_list->CellPainter() && m_list->CellPainter()(*painter, cell, *row, column + 1, selected)) {
        painter->restore();
        return;
    }

    const std::vector<KSListColumn>& columns = model->Columns();
    const size_t c = size_t(column);
    if (c < row->cells.size() && !row->cells[c].icon.empty()) {
        const QPixmap icon = SkinImages::Get(row->cells[c].icon);
        if (!icon.isNull()) {
            const QSize size = icon.deviceIndependentSize().toSize().boundedTo(cell.size());
            QRect place(QPoint(0, 0), size);
            if (c < columns.size() && columns[c].icon)
                place.moveCenter(cell.center());
            else
                place.moveTopLeft(QPoint(cell.left() + 2, cell.top() + (cell.height() - size.height()) / 2));
            painter->drawPixmap(place, icon);
        }
    }
    if (c < row->cells.size() && !(c < columns.size() && columns[c].icon)) {
        QColor text = selected ? skin.accent : skin.text;
        if (selected && row->selectedTextColour.isValid())
            text = row->selectedTextColour;
        else if (!selected && row->textColour.isValid())
            text = row->textColour;
        painter->setPen(text);
        painter->setFont(option.font);
        const Qt::Alignment alignment = c < columns.size() ? columns[c].alignment : Qt::AlignLeft | Qt::AlignVCenter;
        const QRect textArea = cell.adjusted(4, 0, -4, 0);
        const QString elided = option.fontMetrics.elidedText(row->cells[c].text, Qt::ElideRight, textArea.width());
        painter->drawText(textArea, int(alignment), elided);
    }
    painter->restore();
}

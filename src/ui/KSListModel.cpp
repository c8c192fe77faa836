#include "ui/KSListModel.h"

#include <iterator>
#include <unordered_map>

void KSListModel::SetColumns(std::vector<KSListColumn> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    endResetModel();
}

void KSListModel::SetRows(std::vector<KSListRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void KSListModel::AddRow(KSListRow row)
{
    const int index = int(m_rows.size());
    beginInsertRows({}, index, index);
    m_rows.push_back(std::move(row));
    endInsertRows();
}

void KSListModel::AddRows(std::vector<KSListRow> rows)
{
    if (rows.empty())
        return;
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(rows.size()) - 1);
    m_rows.insert(m_rows.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    endInsertRows();
}

void KSListModel::ReplaceRow(int index, KSListRow row)
{
    if (!Row(index))
        return;
    m_rows[size_t(index)] = std::move(row);
    RowChanged(index);
}

void KSListModel::Clear()
{
    SetRows({});
}

const KSListRow* KSListModel::Row(int index) const
{
    if (index < 0 || size_t(index) >= m_rows.size())
        return nullptr;
    return &m_rows[size_t(index)];
}

int KSListModel::IndexOfSerial(uint32_t serial) const
{
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].serial == serial)
            return int(i);
    return -1;
}

void KSListModel::RowChanged(int index)
{
    if (!Row(index) || m_columns.empty())
        return;
    emit dataChanged(this->index(index, 0), this->index(index, int(m_columns.size()) - 1));
}

void KSListModel::Sort(const SortKeyList& keys, const KSListCompare& compare)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<uint32_t> serials;
    serials.reserve(size_t(before.size()));
    for (const QModelIndex& index : before)
        serials.push_back(m_rows[size_t(index.row())].serial);

    SortListRows(m_rows, keys, compare);

    std::unordered_map<uint32_t, int> rowOf;
    rowOf.reserve(m_rows.size());
    for (size_t i = 0; i < m_rows.size(); ++i)
        rowOf.emplace(m_rows[i].serial, int(i));
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.append(index(rowOf[serials[size_t(i)]], before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int KSListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int KSListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant KSListModel::data(const QModelIndex& index, int role) const
{
    const KSListRow* row = Row(index.row());
    if (!row || index.column() < 0 || size_t(index.column()) >= m_columns.size())
        return {};
    const size_t column = size_t(index.column());
    const KSListCell* cell = column < row->cells.size() ? &row->cells[column] : nullptr;
    switch (role) {
    case Qt::DisplayRole:
        return cell && !m_columns[column].icon ? cell->text : QVariant();
    case Qt::ToolTipRole:
        return cell && !cell->text.isEmpty() ? cell->text : QVariant();
    case kIconNameRole:
        return cell ? QString::fromStdString(cell->icon) : QVariant();
    case kSerialRole:
        return row->serial;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_columns[column].alignment);
    default:
        return {};
    }
}

QVariant KSListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || size_t(section) >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[size_t(section)].heading;
    return {};
}

#pragma once
// The item model behind CODKSListCtrl: a table of KSListRow with column headings.
#include "ui/KSListRows.h"

#include <QAbstractTableModel>

struct KSListColumn
{
    QString heading;
    int width = 80;
    bool icon = false; // an icon column: the cell's icon centred, no text
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

class KSListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kSerialRole = Qt::UserRole + 1;
    static constexpr int kIconNameRole = Qt::UserRole + 2;

    explicit KSListModel(QObject* parent = nullptr) : QAbstractTableModel(parent) {}

    void SetColumns(std::vector<KSListColumn> columns);
    const std::vector<KSListColumn>& Columns() const { return m_columns; }

    void SetRows(std::vector<KSListRow> rows);
    void AddRow(KSListRow row);
    // Appends several rows at once (one insertion for the views).
    void AddRows(std::vector<KSListRow> rows);
    // Puts new contents in a row (same place) and tells the views.
    void ReplaceRow(int index, KSListRow row);
    void Clear();
    const KSListRow* Row(int index) const;
    const std::vector<KSListRow>& Rows() const { return m_rows; }
    // The row index of a serial number, or -1.
    int IndexOfSerial(uint32_t serial) const;
    // Tells the views a row's cells changed.
    void RowChanged(int index);

    // Reorders the rows; selections and other persistent indexes follow their rows.
    void Sort(const SortKeyList& keys, const KSListCompare& compare);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<KSListColumn> m_columns;
    std::vector<KSListRow> m_rows;
};

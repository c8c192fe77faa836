#pragma once
// Owner-drawn list control: rows of texts and skin icons under a header whose clicks
// choose the sort key of the shared SortKeyList. Rows are painted by a delegate in
// the skin's colours; views of many thousands of rows stay fast (uniform row heights,
// only visible rows painted, sorting by row data).
#include "ui/KSListModel.h"
#include "ui/SkinPalette.h"

#include <QStyledItemDelegate>
#include <QTreeView>
#include <string>

// Paints a cell itself (ping bars and the like); returns false to leave the cell to
// the standard drawing.
using KSListCellPainter =
    std::function<bool(QPainter& painter, const QRect& cell, const KSListRow& row, int column, bool selected)>;

class CODKSListCtrl : public QTreeView
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 18;

    static constexpr const char* kSortSection = "Settings";
    static constexpr const char* kDefaultSortText = "1;";

    explicit CODKSListCtrl(QWidget* parent = nullptr);
    // Writes the sort keys back under the sort setting name, when there is one.
    ~CODKSListCtrl() override;

    // A list with a sort setting name ("Net Sort Order", "LAN Sort Order") loads the
    // sort keys from that setting now (a missing value reads as "1;") and writes them
    // back when it is destroyed.
    void SetSortSetting(const std::string& name);
    // The primary key an empty key list stands for when a header is clicked (1 for
    // the server lists, 0 for lists that start unsorted).
    void SetEmptyPrimaryKey(int key) { m_emptyPrimary = key; }

    void SetColumns(std::vector<KSListColumn> columns);
    KSListModel* Model() const { return m_model; }
    // The comparator used by Sort() (default: CompareCellsDefault).
    void SetCompare(KSListCompare compare) { m_compare = std::move(compare); }
    // The keys the header changes (default: the process-wide list).
    void SetSortKeys(SortKeyList* keys) { m_keys = keys ? keys : &TheSortKeyList(); }
    SortKeyList& SortKeys() const { return *m_keys; }
    void SetCellPainter(KSListCellPainter painter) { m_cellPainter = std::move(painter); }
    const KSListCellPainter& CellPainter() const { return m_cellPainter; }

    // Orders the rows with the sort keys and shows the primary key in the header.
    void Sort();
    // What a click on a column's header does: choose the key, then sort.
    void ChooseSortKey(int column);
    void SelectFirstRow();
    // The selected row, or nullptr.
    const KSListRow* SelectedRow() const;
    std::vector<const KSListRow*> SelectedRows() const;

signals:
    // Double click or Enter on a row.
    void RowActivated(quint32 serial);
    // Right click on a row (the row is selected first).
    void RowContextMenu(quint32 serial, QPoint globalPosition);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ShowSortIndicator();

    KSListModel* m_model = nullptr;
    SortKeyList* m_keys = nullptr;
    KSListCompare m_compare;
    KSListCellPainter m_cellPainter;
    std::string m_sortSetting;
    int m_emptyPrimary = 1;
};

class KSListDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit KSListDelegate(CODKSListCtrl* list);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    CODKSListCtrl* m_list;
    SkinPalette m_skin; // read once: painting runs for every visible cell
};

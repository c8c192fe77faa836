#pragma once
// The rows of a list control and their order: plain data and a sort over the shared
// sort keys, with the row's creation serial number as the last tie-break.
#include "ui/SortKeyList.h"

#include <QColor>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

struct KSListCell
{
    QString text;
    std::string icon;    // skin bitmap name drawn centred in the cell; empty for none
    double number = 0.0; // compared instead of the text when hasNumber is set
    bool hasNumber = false;
};

struct KSListRow
{
    uint32_t serial = 0;           // creation order: the last tie-break
    std::vector<KSListCell> cells; // one per column
    QColor textColour;             // invalid: the list's text colour
    QColor selectedTextColour;     // invalid: the list's selected text colour
    quintptr data = 0;             // the caller's record
};

// Compares two rows by a column counted from 1 in the column's forward order:
// negative, zero or positive.
using KSListCompare = std::function<int(const KSListRow& a, const KSListRow& b, int column)>;

// Numbers when both cells have them, else texts ignoring case; a missing cell sorts
// first.
int CompareCellsDefault(const KSListRow& a, const KSListRow& b, int column);

// Orders rows by the keys (a negative key reverses its column), then by serial.
void SortListRows(std::vector<KSListRow>& rows, const SortKeyList& keys, const KSListCompare& compare);

#pragma once
// The cells of a server list the list control cannot draw by itself: the ping bars
// (with the number in a small font under "-numericping") and the greyed name of a
// server the launcher cannot join.
#include "ui/CODKSListCtrl.h"

// The painter to give the list control of a server list.
KSListCellPainter ServerCellPainter();

// Draws the bars for a ping in milliseconds into a cell: up to eight rising bars, in
// the good or bad colour, or "?" when the ping is not measured.
void PaintPingBars(QPainter& painter, const QRect& cell, int pingMs, const QString& number, bool selected);

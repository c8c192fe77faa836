#pragma once
// Pieces the option pages share: texts by message number and help lines.
#include <QString>

class QLabel;
class QWidget;

QString MessageText(int number);
// A wrapped line in the skin's "HELP_COLOR".
QLabel* HelpLine(const QString& text, QWidget* parent);

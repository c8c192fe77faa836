#include "config/dialogs/OptionPageParts.h"

#include "app/text/StringList.h"
#include "ui/SkinPalette.h"

#include <QLabel>

QString MessageText(int number)
{
    return QString::fromStdString(GetString(number));
}

QLabel* HelpLine(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    const QColor colour = SkinColour("HELP_COLOR");
    label->setStyleSheet(QStringLiteral("color: %1;").arg(colour.name()));
    return label;
}

#pragma once
// The main menu's button strip and the window's minimise and close buttons.
#include <QImage>
#include <QString>
#include <QStringList>

class ButtonPainter
{
public:
    static constexpr int kCellWidth = 156;
    static constexpr int kCellHeight = 26;
    static constexpr int kRowsPerButton = 3; // normal, highlighted, pressed
    static constexpr int kCaptionSize = 19;
    static constexpr int kLabelSize = 13;    // pixels
    static constexpr int kMinLabelSize = 10;
    static constexpr int kChevronRoom = 22;  // right part of a cell kept for the chevron

    enum State { Normal = 0, Highlighted = 1, Pressed = 2 };
    enum Caption { Minimise, Close };

    // The labels of the menu's buttons, top to bottom in the strip.
    static QStringList MainLabels();
    // One cell.
    static QImage Button(const QString& label, State state);
    // "btns_main": three rows per label, in the order of MainLabels().
    static QImage MainStrip();
    // "min_n"/"cls_n" (normal), "_f" (under the mouse) and "_d" (pressed).
    static QImage CaptionButton(Caption kind, char state);
};

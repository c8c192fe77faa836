#pragma once
// Dialog backgrounds and the title plates ("head_…") shown at their top. The surface
// is the dialog grey RGB(63, 63, 63) everywhere controls sit, so owner-drawn controls
// blend in.
#include <QImage>
#include <QSize>
#include <QString>

#include <utility>
#include <vector>

class DialogPainter
{
public:
    static constexpr int kHeaderWidth = 320;
    static constexpr int kHeaderHeight = 36;
    static constexpr int kTitleBand = 44;  // height of the band that holds the title plate
    static constexpr int kButtonBand = 46; // height of the band that holds the buttons
    static constexpr int kWatermarkMinHeight = 240;

    // Name and size of every dialog background.
    static std::vector<std::pair<QString, QSize>> Backgrounds();
    static QImage Background(QSize size);
    // Name and title of every title plate.
    static std::vector<std::pair<QString, QString>> Headers();
    static QImage Header(const QString& title);
};

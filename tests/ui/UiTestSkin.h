#pragma once
// Plain stand-ins for the skin bitmaps the dialogs load, so widget tests need no game
// tree and report no missing bitmaps.
#include "ui/SkinImages.h"

#include <QPixmap>

inline void InstallTestSkin()
{
    QPixmap prompt(380, 180);
    prompt.fill(QColor(63, 63, 63));
    SkinImages::Set("prompt", prompt);
    QPixmap dialog(550, 390);
    dialog.fill(QColor(63, 63, 63));
    SkinImages::Set("dialog", dialog);
}

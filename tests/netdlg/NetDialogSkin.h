#pragma once
// Plain stand-ins for the skin bitmaps and server icons the games dialogs load, so the
// widget tests need no game tree and report no missing bitmaps.
#include "ui/SkinImages.h"

#include <QPixmap>

inline void InstallNetDialogSkin()
{
    const struct
    {
        const char* name;
        int width;
        int height;
    } bitmaps[] = {{"prompt", 380, 180},        {"dialog", 550, 390},        {"dialog_small", 400, 260},
                   {"head_inetgames", 150, 24}, {"head_specgames", 150, 24}, {"head_lan", 150, 24}};
    for (const auto& b : bitmaps) {
        QPixmap pixmap(b.width, b.height);
        pixmap.fill(QColor(63, 63, 63));
        SkinImages::Set(b.name, pixmap);
    }
    for (const char* icon :
         {"favorite", "nonfav", "lock", "unlock", "proxy", "dedicate", "listen", "windows", "linux"}) {
        QPixmap pixmap(16, 16);
        pixmap.fill(Qt::gray);
        SkinImages::Set(icon, pixmap);
    }
}

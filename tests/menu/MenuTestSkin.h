#pragma once
// Plain stand-ins for every skin bitmap the menu and its dialogs load, so that each
// test (run alone or with others) sees no report about a missing bitmap.
#include "ui/SkinImages.h"

#include <QPixmap>

inline void InstallMenuTestSkin()
{
    const struct
    {
        const char* name;
        int width;
        int height;
    } bitmaps[] = {{"splash", 640, 480},     {"dialog", 550, 390},    {"dialog_small", 400, 260}, {"prompt", 380, 180},
                   {"head_config", 320, 36}, {"head_video", 320, 36}, {"gamma", 160, 120},        {"min_n", 19, 19},
                   {"min_f", 19, 19},        {"min_d", 19, 19},       {"cls_n", 19, 19},          {"cls_f", 19, 19},
                   {"cls_d", 19, 19}};
    for (const auto& bitmap : bitmaps) {
        QPixmap pixmap(bitmap.width, bitmap.height);
        pixmap.fill(QColor(63, 63, 63));
        SkinImages::Set(bitmap.name, pixmap);
    }
}

#pragma once
// Skin bitmaps as pixmaps for painting, loaded once per name. A missing bitmap is
// reported (message 59) the first time only, and stays missing until Clear().
#include <QPixmap>
#include <string>

class SkinImages
{
public:
    // A null pixmap when the bitmap is missing or unreadable.
    static QPixmap Get(const std::string& name);
    // Forgets every image (the game directory changed).
    static void Clear();
    // Puts an image in place of a file (tests, generated images).
    static void Set(const std::string& name, const QPixmap& pixmap);
};

#pragma once
// Turns a packed skin bitmap back into an image for painting.
#include "app/text/SkinBitmap.h"

#include <QImage>

// A null image when the bitmap cannot be read.
QImage SkinBitmapImage(const SkinBitmap& bitmap);

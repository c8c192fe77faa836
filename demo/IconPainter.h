#pragma once
// The 16 × 16 icons of the server lists' first four columns, drawn on the dialog grey.
#include <QImage>
#include <QStringList>

class IconPainter
{
public:
    static constexpr int kSize = 16;

    // "favorite", "nonfav", "lock", "unlock", "proxy", "dedicate", "listen",
    // "windows", "linux".
    static QStringList Names();
    // An empty image for an unknown name.
    static QImage Paint(const QString& name);
};

#pragma once
// A single picture of every bitmap of a demo world (loose files and those inside the
// base archive), each labelled with its name, for looking the skin over at a glance.
#include <QImage>
#include <QString>

class ContactSheet
{
public:
    static constexpr int kSheetWidth = 1640;
    static constexpr int kMargin = 16;
    static constexpr int kSmallIcon = 24; // images this small are shown enlarged
    static constexpr int kZoom = 3;

    // A null image when the folder holds no bitmap.
    static QImage Build(const QString& root);
};

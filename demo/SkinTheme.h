#pragma once
// The demo skin's palette and fonts. The colour list file is written from the same
// values, so the launcher's own drawing matches the bitmaps.
#include <QColor>
#include <QFont>
#include <QString>

#include <utility>
#include <vector>

namespace SkinTheme {

inline const QColor kDialog{63, 63, 63};        // dialog surface
inline const QColor kDialogDark{40, 40, 40};    // bevel shadow, wells
inline const QColor kDialogLight{96, 96, 96};   // bevel highlight
inline const QColor kInk{255, 255, 255};        // ordinary text
inline const QColor kAmber{255, 180, 24};       // prompts and accents
inline const QColor kAmberDeep{178, 96, 12};    // the accent's darker end
inline const QColor kRust{120, 54, 18};
inline const QColor kNight{14, 14, 17};         // splash background
inline const QColor kMuted{170, 170, 170};      // secondary text

// Name and colour of every entry of the colour list.
std::vector<std::pair<QString, QColor>> ColourList();

// DejaVu fonts from the system font folder, registered once; the family names are
// those of the files, so text looks the same on every machine that has them.
bool LoadFonts();
QFont Sans(qreal pixelSize, bool bold = false);
QFont Condensed(qreal pixelSize, bool bold = false);

} // namespace SkinTheme

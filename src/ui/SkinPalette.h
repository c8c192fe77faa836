#pragma once
// The colours of the skinned dialogs: a dark grey surface with white text, and the
// skin's accent colour for highlights, taken from the colour list.
#include <QColor>
#include <QFont>
#include <QString>
#include <string>

struct SkinPalette
{
    QColor background{63, 63, 63};
    QColor text{255, 255, 255};
    QColor accent{255, 180, 24};
    QColor dimText{170, 170, 170};
    QColor field{40, 40, 40}; // edit fields, list backgrounds
    QColor border{100, 100, 100};

    // The standard dialog palette; the accent is the prompt text colour of the list.
    static SkinPalette Standard();
};

// A colour of the colour list as a QColor.
QColor SkinColour(const std::string& name);

// The style sheet the dialogs apply to standard child widgets (labels, edit fields,
// combo boxes, sliders, tab bars, scroll bars, spin boxes, group boxes).
QString SkinStyleSheet(const SkinPalette& palette);

// The font the skin uses, at a pixel size; bold when asked.
QFont SkinFont(int pixelSize, bool bold = false);

// Gives the application the skin's base style and palette once (later calls do
// nothing), so controls the style sheet leaves alone (arrows, focus frames) match.
void EnsureSkinStyle();

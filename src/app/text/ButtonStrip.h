#pragma once
// The main menu's button strip "btns_main": three rows per button (normal,
// highlighted, pressed), each row one cell high. String 78 gives the cell size as
// "width height"; a value is used only when it is greater than 1 and less than 2048.
#include "app/text/SkinBitmap.h"

struct ButtonCellSize
{
    int width = 0;
    int height = 0;
};

class ButtonStrip
{
public:
    static constexpr int kDefaultCellWidth = 156;
    static constexpr int kDefaultCellHeight = 26;
    static constexpr int kMaxCellSize = 2048; // exclusive
    static constexpr int kRowsPerButton = 3;
    static constexpr int kCellSizeString = 78;
    static constexpr int kUnevenStripMessage = 25;

    static ButtonCellSize CellSizeFromStrings();

    // Loads "btns_main" and works out the cell size and button count. A strip whose
    // height is not a whole number of cells shows message 25 and is used anyway.
    bool Load();
    // Takes a bitmap already loaded (tests, other strips).
    void Set(SkinBitmap bitmap);
    void Free();

    bool Loaded() const { return !m_bitmap.empty(); }
    const SkinBitmap& Bitmap() const { return m_bitmap; }
    ButtonCellSize CellSize() const { return m_cell; }
    int ButtonCount() const { return m_buttonCount; }

private:
    SkinBitmap m_bitmap;
    ButtonCellSize m_cell{kDefaultCellWidth, kDefaultCellHeight};
    int m_buttonCount = 0;
};

inline constexpr const char* kMainButtonStripName = "btns_main";
inline constexpr const char* kSplashBitmapName = "splash";

// The strip loaded at start-up and kept until shut-down.
ButtonStrip& MainButtonStrip();
void LoadButtonStrip();

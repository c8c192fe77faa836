#include "app/text/ButtonStrip.h"

#include "app/text/Messages.h"
#include "app/text/StringList.h"

namespace {

ButtonStrip g_mainStrip;

bool UsableCellValue(int value)
{
    return value > 1 && value < ButtonStrip::kMaxCellSize;
}

} // namespace

ButtonCellSize ButtonStrip::CellSizeFromStrings()
{
    ButtonCellSize size{kDefaultCellWidth, kDefaultCellHeight};
    const int width = StringNumber(kCellSizeString, 0);
    const int height = StringNumber(kCellSizeString, 1);
    if (UsableCellValue(width))
        size.width = width;
    if (UsableCellValue(height))
        size.height = height;
    return size;
}

bool ButtonStrip::Load()
{
    std::optional<SkinBitmap> bitmap = LoadSkinBitmap(kMainButtonStripName);
    if (!bitmap) {
        Free();
        return false;
    }
    Set(std::move(*bitmap));
    return true;
}

void ButtonStrip::Set(SkinBitmap bitmap)
{
    m_bitmap = std::move(bitmap);
    m_cell = CellSizeFromStrings();
    const std::optional<SkinBitmapSize> size = BitmapSize(m_bitmap);
    const int height = size ? size->height : 0;
    if (height % m_cell.height != 0)
        ShowMessage(kUnevenStripMessage);
    m_buttonCount = (height / m_cell.height) / kRowsPerButton;
}

void ButtonStrip::Free()
{
    m_bitmap.clear();
    m_buttonCount = 0;
}

ButtonStrip& MainButtonStrip()
{
    return g_mainStrip;
}

void LoadButtonStrip()
{
    g_mainStrip.Load();
}

#include "app/video/VideoSettingsRecord.h"

#include "app/video/RendererType.h"

#include <cstring>

namespace {

void CopyText(char* field, size_t size, std::string_view text)
{
    const size_t count = text.size() < size ? text.size() : size - 1;
    std::memcpy(field, text.data(), count);
    field[count] = '\0';
}

} // namespace

void FillVideoSettingsRecord(VideoSettingsRecord& record, const VideoSettingsValues& values)
{
    std::memset(&record, 0, sizeof record);
    record.type = values.type;
    CopyText(record.name, sizeof record.name, RendererName(values.type));
    CopyText(record.glDriver, sizeof record.glDriver, values.glDriver);
    CopyText(record.d3dDevice, sizeof record.d3dDevice, values.d3dDevice);
    record.width = values.width;
    record.height = values.height;
    record.bpp = values.bpp;
    record.windowed = values.windowed ? 1 : 0;
    record.mouseCapture = values.mouseCapture ? 1 : 0;
}

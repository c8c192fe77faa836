#include "app/video/VideoOptions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kScreenSizeScale = 10.0;
constexpr double kFractionScale = 10.0;

int ToSlider(double value, SliderRange range)
{
    if (!std::isfinite(value))
        return range.minimum;
    return int(std::clamp(std::lround(value), long(range.minimum), long(range.maximum)));
}

VideoOptionsStorage& Storage()
{
    static VideoOptionsStorage storage;
    return storage;
}

VideoOptions& RunValues()
{
    static VideoOptions values;
    return values;
}

} // namespace

VideoOptionSliders SlidersFor(const VideoOptions& options)
{
    VideoOptionSliders sliders;
    sliders.screenSize = ToSlider(options.screenSize / kScreenSizeScale, kScreenSizeSlider);
    sliders.gamma = ToSlider(options.gamma * kFractionScale, kGammaSlider);
    sliders.brightness = ToSlider(options.brightness * kFractionScale, kBrightnessSlider);
    sliders.flag = options.flag != 0.0;
    return sliders;
}

VideoOptions OptionsFor(const VideoOptionSliders& sliders)
{
    VideoOptions options;
    options.screenSize = sliders.screenSize * kScreenSizeScale;
    options.gamma = sliders.gamma / kFractionScale;
    options.brightness = sliders.brightness / kFractionScale;
    options.flag = sliders.flag ? 1.0 : 0.0;
    return options;
}

QImage ApplyGammaTable(const QImage& image, const std::array<uint8_t, 256>& table)
{
    QImage result = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const QRgb pixel = line[x];
            line[x] = qRgb(table[size_t(qRed(pixel))], table[size_t(qGreen(pixel))], table[size_t(qBlue(pixel))]);
        }
    }
    return result;
}

void SetVideoOptionsStorage(VideoOptionsStorage storage)
{
    Storage() = std::move(storage);
}

VideoOptions LoadVideoOptions()
{
    return Storage().load ? Storage().load() : RunValues();
}

void SaveVideoOptions(const VideoOptions& options)
{
    if (Storage().save)
        Storage().save(options);
    else
        RunValues() = options;
}

#pragma once
// The four profile values of the video options dialog and how its sliders map onto
// them: screen size (slider 3 to 12, stored × 10), gamma (18 to 30, stored / 10),
// brightness (0 to 10, stored / 10) and an on/off value (1.0 or 0.0).
#include <QImage>

#include <array>
#include <cstdint>
#include <functional>

struct VideoOptions
{
    double screenSize = 100.0;
    double gamma = 2.5;
    double brightness = 0.0;
    double flag = 0.0;
};

struct SliderRange
{
    int minimum;
    int maximum;
};

inline constexpr SliderRange kScreenSizeSlider{3, 12};
inline constexpr SliderRange kGammaSlider{18, 30};
inline constexpr SliderRange kBrightnessSlider{0, 10};

struct VideoOptionSliders
{
    int screenSize = 10;
    int gamma = 25;
    int brightness = 0;
    bool flag = false;
};

// Slider positions for stored values (rounded, kept inside each range) and back.
VideoOptionSliders SlidersFor(const VideoOptions& options);
VideoOptions OptionsFor(const VideoOptionSliders& sliders);

// The picture drawn through the 256-entry table, channel by channel.
QImage ApplyGammaTable(const QImage& image, const std::array<uint8_t, 256>& table);

// Where the values live: the player profile provides its own; until then they are
// kept for the run only.
struct VideoOptionsStorage
{
    std::function<VideoOptions()> load;
    std::function<void(const VideoOptions&)> save;
};
void SetVideoOptionsStorage(VideoOptionsStorage storage);
VideoOptions LoadVideoOptions();
void SaveVideoOptions(const VideoOptions& options);

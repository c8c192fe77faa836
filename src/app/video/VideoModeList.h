#pragma once
// The list of video modes the engine may use and the choice of the current one.
#include "platform/DisplayLayer.h"

#include <cstdint>
#include <string>
#include <vector>

enum VideoModeKind
{
    kModeWindowed = 0,
    kModeFullScreen = 1,    // a display mode
    kModeFullScreenDib = 2, // a display mode drawn by the software engine through a memory surface
};

struct VideoMode
{
    int kind = kModeWindowed;
    int width = 0;
    int height = 0;
    int index = 0;
    bool is555 = false;
    bool halfSize = false; // the engine renders at half size and the launcher doubles it
    bool available = true;
    int bpp = 16;
    int refreshRate = 0;
    std::string text; // "%d x %d"
};

inline constexpr size_t kMaxVideoModes = 64;
inline constexpr int kMaxModeHeight = 1024;
inline constexpr int kMinModeWidth = 400;

// Everything the list depends on, so that building it is a plain function.
struct ModeListInputs
{
    int depth = 16;
    uint64_t heapSize = 0;
    int64_t surfaceCacheKilobytes = 0; // "-surfcachesize", 0 when absent
    bool displayAcquired = true;       // false: the list stays empty
    std::vector<DisplayMode> displayModes;
};

// The fixed windowed sizes that fit, then the usable display modes, sorted by width
// then height, each entry knowing its index. At most kMaxVideoModes entries.
std::vector<VideoMode> BuildVideoModes(const ModeListInputs& inputs);

// The first entry of the kind with the size and depth; else the last entry of the
// kind with the width; else 0.
int ChooseVideoMode(const std::vector<VideoMode>& modes, int kind, int width, int height, int depth);

// "%d x %d %d hz" and the kind's name, as shown in the video mode dialog.
std::string VideoModeDialogName(const VideoMode& mode);
// The mode text the engine is given: "%s fullscreen DIB", "%s windowed", or the text.
std::string VideoModeDescription(const VideoMode& mode);
const char* VideoModeKindName(int kind);

#include "platform/XRandrModes.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdlib>

namespace {

int RefreshRate(const XRRModeInfo& mode)
{
    const double pixels = double(mode.hTotal) * double(mode.vTotal);
    if (pixels <= 0 || mode.dotClock == 0)
        return 0;
    return int(double(mode.dotClock) / pixels + 0.5);
}

void Merge(std::vector<ScreenResolution>& out, const ScreenResolution& mode)
{
    for (ScreenResolution& known : out) {
        if (known.width == mode.width && known.height == mode.height) {
            if (mode.refreshRate > known.refreshRate)
                known.refreshRate = mode.refreshRate;
            return;
        }
    }
    out.push_back(mode);
}

} // namespace

bool QueryXRandrResolutions(std::vector<ScreenResolution>& out)
{
    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return false;
    Display* display = XOpenDisplay(name);
    if (!display)
        return false;

    bool ok = false;
    int eventBase = 0;
    int errorBase = 0;
    if (XRRQueryExtension(display, &eventBase, &errorBase)) {
        XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display));
        if (resources) {
            std::vector<ScreenResolution> found;
            for (int i = 0; i < resources->nmode; ++i) {
                const XRRModeInfo& mode = resources->modes[i];
                if (mode.width == 0 || mode.height == 0)
                    continue;
                Merge(found, {int(mode.width), int(mode.height), RefreshRate(mode)});
            }
            XRRFreeScreenResources(resources);
            if (!found.empty()) {
                out = std::move(found);
                ok = true;
            }
        }
    }
    XCloseDisplay(display);
    return ok;
}

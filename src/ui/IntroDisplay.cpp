#include "ui/IntroDisplay.h"

namespace {

IntroDisplay* g_display = nullptr;

} // namespace

IntroDisplay* TheIntroDisplay()
{
    return g_display;
}

void SetIntroDisplay(IntroDisplay* display)
{
    g_display = display;
}

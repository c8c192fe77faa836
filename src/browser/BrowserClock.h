#pragma once
// The clock the browser's query code reads: seconds as a double. It runs on a steady
// clock until the launcher (or a test) installs its own time source.
#include <functional>

double BrowserClockNow();
// Installs a time source; an empty function restores the steady clock.
void SetBrowserClock(std::function<double()> clock);

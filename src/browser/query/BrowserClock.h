#pragma once
// The clock the browser's query code reads: seconds as a double, from the engine's
// clock entry or the launcher clock. Tests may install a time source of their own.
#include <functional>

double BrowserClockNow();
// Installs a time source; an empty function restores the launcher's clock.
void SetBrowserClock(std::function<double()> clock);

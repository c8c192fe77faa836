#pragma once
// Runs a refresh to its end without a window: a pass, then the socket events that
// arrived, waiting at most kWakeMs for one when nothing is ready.
class RefreshEngine;

inline constexpr int kRefreshWakeMs = 1;

void RunRefreshToEnd(RefreshEngine& engine);
// Handles the events waiting, or waits up to kRefreshWakeMs for one.
void WaitForNetworkEvents();

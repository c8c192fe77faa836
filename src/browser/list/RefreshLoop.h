#pragma once
// Runs a refresh to its end without a window: a pass, then the socket events that
// arrived, waiting at most kWakeMs for one when nothing is ready.
class RefreshEngine;

inline constexpr int kRefreshWakeMs = 1;

void RunRefreshToEnd(RefreshEngine& engine);
// Handles the events waiting, or waits up to kRefreshWakeMs for one.
void WaitForNetworkEvents();
// After a pass of engine: only handles the events waiting when the next pass already
// has work (a socket to give back, a record to start), else waits as above. A freed
// socket is taken again at once instead of after the next reply.
void WaitForRefreshEvents(const RefreshEngine& engine);

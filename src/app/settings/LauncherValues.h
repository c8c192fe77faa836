#pragma once
// The launcher window's own display values ("LauncherBPP", "LauncherWidth",
// "LauncherHeight"): read at every start (or reset with "wipe"), written back, then
// overridden for this run by "-lw" and "-lh".
void ReadLauncherValues();

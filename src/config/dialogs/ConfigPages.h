#pragma once
// Adds the player configuration's pages (controls, audio, game options) to the
// configuration dialog.
void InstallConfigPages();

#pragma once
// Connects the main menu's browser choices (Internet games, LAN games) to their
// dialogs.
void InstallBrowserMenuActions();

#pragma once
// Connects the main menu's browser choices (Internet games, LAN games) to their
// dialogs.
#include "browser/list/CNetGameDoc.h"

struct BrowserMenuSetup
{
    CNetGameDoc::Setup internet;             // the Internet list (file, masters)
    CNetGameDoc::Setup lan = LanListSetup(); // the LAN list (where the broadcast goes)

    static CNetGameDoc::Setup LanListSetup();
};

// Tests pass a setup that keeps every list on loopback and in a temporary folder.
void InstallBrowserMenuActions(const BrowserMenuSetup& setup = {});

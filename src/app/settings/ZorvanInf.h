#pragma once
// The installation file "zorvan.inf": its section "Ident" supplies the patch version
// and short title shown on the menu and sent to the master servers.
#include <string>

struct InstallIdent
{
    std::string patchVersion = "1.0.1.4";
    std::string shortTitle = "KESTREL";
};

// Reads the section from an INI text; missing keys keep their defaults.
InstallIdent ParseZorvanInf(const std::string& text);
InstallIdent ReadZorvanInf(const std::string& path);

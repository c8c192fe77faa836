#include "config/scripts/CServerDescription.h"

CServerDescription::CServerDescription() : CDescription("SERVER_OPTIONS", "// Multiplayer options script")
{
}

void CServerDescription::WriteLayoutHeader(std::string& out, const std::tm& stamp)
{
    WriteLayoutHeaderWith(out, stamp,
                          "// Kestrel Server Configuration Layout Script (stores last settings chosen, too)");
}

void CServerDescription::WriteSettingsHeader(std::string& out, const std::tm& stamp) const
{
    WriteSettingsHeaderWith(out, stamp, "// Kestrel Server Configuration Settings");
}

bool CServerDescription::Save(const std::string& gameDirectory)
{
    const bool settings = SaveSettings(gameDirectory + "/" + kSettingsFile);
    const bool layout = SaveLayout(gameDirectory + "/" + kScriptFile);
    return settings && layout;
}

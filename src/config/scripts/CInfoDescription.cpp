#include "config/scripts/CInfoDescription.h"

CInfoDescription::CInfoDescription() : CDescription("INFO_OPTIONS", "// User options script")
{
}

void CInfoDescription::WriteLayoutHeader(std::string& out, const std::tm& stamp)
{
    WriteLayoutHeaderWith(out, stamp,
                          "// Kestrel User Info Configuration Layout Script (stores last settings chosen, too)");
}

void CInfoDescription::WriteSettingsHeader(std::string& out, const std::tm& stamp) const
{
    WriteSettingsHeaderWith(out, stamp, "// Kestrel User Info Configuration Settings");
}

bool CInfoDescription::Save(const std::string& gameDirectory)
{
    return SaveLayout(gameDirectory + "/" + kScriptFile);
}

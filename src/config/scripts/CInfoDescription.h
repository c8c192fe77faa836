#pragma once
// The user information options ("INFO_OPTIONS") read from user.scr. Their current
// values come from the player's configuration file and go back into it; user.scr
// is regenerated in the game directory.
#include "config/scripts/CDescription.h"

class CInfoDescription : public CDescription
{
public:
    static constexpr const char* kScriptFile = "user.scr";

    CInfoDescription();

    // Regenerates user.scr in the directory.
    bool Save(const std::string& gameDirectory);

protected:
    void WriteLayoutHeader(std::string& out, const std::tm& stamp) override;
    void WriteSettingsHeader(std::string& out, const std::tm& stamp) const override;
};

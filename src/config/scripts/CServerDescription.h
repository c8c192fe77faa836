#pragma once
// The server options ("SERVER_OPTIONS") read from settings.scr. Confirmed values go
// to game.cfg in the game directory, and settings.scr is regenerated there.
#include "config/scripts/CDescription.h"

class CServerDescription : public CDescription
{
public:
    static constexpr const char* kScriptFile = "settings.scr";
    static constexpr const char* kSettingsFile = "game.cfg";

    CServerDescription();

    // Writes game.cfg, then settings.scr, into the directory; true when both were
    // written (a file that cannot be written is skipped).
    bool Save(const std::string& gameDirectory);

protected:
    void WriteLayoutHeader(std::string& out, const std::tm& stamp) override;
    void WriteSettingsHeader(std::string& out, const std::tm& stamp) const override;
};

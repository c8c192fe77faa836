#include "mods/catalogue/ReceivedModCheck.h"

#include "mods/catalogue/ModCatalogue.h"

namespace {

bool IsWordChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

} // namespace

bool IsSafeGameDir(const std::string& name)
{
    if (name.empty() || name.size() > kMaxGameDirName || SameText(name, kBaseGameDirectory))
        return false;
    for (char c : name)
        if (!IsWordChar(c))
            return false;
    return true;
}

bool IsSafeMapName(const std::string& name)
{
    if (name.empty() || name.size() > kMaxMapName || name[0] == '.' || name[0] == '-')
        return false;
    for (char c : name)
        if (!IsWordChar(c) && c != '.' && c != '-')
            return false;
    return true;
}

std::string StripControl(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 32 && c != 127)
            out += c;
    return out;
}

bool CheckReceivedMod(CModRecord& record)
{
    CModRecord clean = CModRecord::Empty();
    const auto& pairs = record.Pairs();
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) {
        const std::string key = StripControl(it->first);
        if (!key.empty())
            clean.SetKey(key, StripControl(it->second));
    }
    // Computed here, whatever the master says.
    for (const char* computed : {"installed", "newversion", "servers", "players"})
        clean.SetKey(computed, "0");
    if (!IsSafeGameDir(clean.GetKeyText("gamedir")) || clean.GetKeyText("game").empty())
        return false;
    if (!IsSafeMapName(clean.GetKeyText("startmap")))
        clean.SetKey("startmap", "c0a0");
    if (!IsSafeMapName(clean.GetKeyText("mpentity")))
        clean.SetKey("mpentity", "info_player_deathmatch");
    record = std::move(clean);
    return true;
}

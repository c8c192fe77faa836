// Parses arbitrary bytes as a player's config.cfg, writes it back and parses the
// written text again: a second round must write the same bytes, so a save never
// changes what the launcher does not own.
#include "config/player/ConfigFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ConfigFile::KeyNames keys = [] {
        ConfigFile::KeyNames names;
        names[32] = "SPACE";
        for (int c = 'a'; c <= 'z'; ++c)
            names[size_t(c)] = std::string(1, char(c));
        names[200] = "MOUSE1";
        return names;
    }();
    ConfigFile file;
    file.Parse(std::string_view(reinterpret_cast<const char*>(data), size), keys);
    (void)file.Value("name");
    file.SetValue("volume", "0.500000");
    file.SetBinding('w', "w", "+forward");
    file.ClearBinding('s');
    file.KeepOnePlus("+mlook");
    file.RemovePlus("+jlook");
    const std::string once = file.Text();
    ConfigFile again;
    again.Parse(once, keys);
    if (again.Text() != once)
        __builtin_trap();
    return 0;
}

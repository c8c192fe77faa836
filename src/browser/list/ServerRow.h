#pragma once
// What one row of a server list shows, as data: the icon names of the four icon
// columns, the texts of the others, the ping bars and the text colours. Drawing is
// the list control's business.
#include <cstdint>
#include <string>

class CServerInfo;

struct RgbColour
{
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const RgbColour&) const = default;
};

inline constexpr RgbColour kOldProtocolText{56, 56, 56};
inline constexpr RgbColour kOldProtocolSelectedText{200, 200, 200};
inline constexpr RgbColour kProxyText{63, 255, 63};
inline constexpr RgbColour kProxySelectedText{127, 255, 63};
inline constexpr RgbColour kPingGood{128, 192, 64};
inline constexpr RgbColour kPingBad{192, 63, 0};

// Where the icon of a name lives: "gfx/shell/<name>.bmp".
std::string ServerIconPath(const std::string& iconName);

struct PingBars
{
    static constexpr int kMaxBars = 8;
    int bars = 0;       // 0: no bars, "?" is drawn
    bool good = false;  // kPingGood, else kPingBad
    std::string number; // with "-numericping": "%i " or "9999"; else empty
};

// Bars for a ping in milliseconds; up to 500 ms they are "good".
PingBars PingBarsFor(int32_t pingMs, bool numericPing);

struct ServerRow
{
    static constexpr size_t kMaxNameShown = 250;

    std::string favoriteIcon;  // column 1: "favorite" or "nonfav"
    std::string passwordIcon;  // column 2: "lock" or "unlock"
    std::string typeIcon;      // column 3: "proxy", "dedicate", "listen" or empty
    std::string osIcon;        // column 4: "windows", "linux" or empty
    std::string name;          // column 5
    PingBars ping;             // column 6
    std::string map;           // column 7
    std::string game;          // column 8
    std::string players;       // column 9
    bool greyedName = false;   // a protocol the launcher cannot join
    bool proxyColours = false; // the whole row in the proxy green
};

// The launcher's network protocol; servers reporting another (other than 0) are greyed.
inline constexpr int32_t kLauncherProtocol = 45;

ServerRow ServerRowFor(const CServerInfo& record, bool numericPing);
// The same with "-numericping" taken from the command line.
ServerRow ServerRowFor(const CServerInfo& record);

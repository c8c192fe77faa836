#include "config/player/PlayerConfig.h"

#include "app/settings/CommandLine.h"

namespace {

std::optional<PlayerConfig>& Instance()
{
    static std::optional<PlayerConfig> instance;
    return instance;
}

constexpr PlayerVariable Number(const char* cvar, float PlayerConfig::*member)
{
    return {cvar, member, nullptr, nullptr};
}
constexpr PlayerVariable Integer(const char* cvar, int PlayerConfig::*member)
{
    return {cvar, nullptr, member, nullptr};
}
constexpr PlayerVariable Text(const char* cvar, std::string PlayerConfig::*member)
{
    return {cvar, nullptr, nullptr, member};
}

const std::array<PlayerVariable, kPlayerVariableCount> kVariables = {{
    Number("lookstrafe", &PlayerConfig::lookstrafe),
    Number("m_pitch", &PlayerConfig::mPitch),
    Number("lookspring", &PlayerConfig::lookspring),
    Number("crosshair", &PlayerConfig::crosshair),
    Number("_windowed_mouse", &PlayerConfig::windowedMouse),
    Number("m_filter", &PlayerConfig::mFilter),
    Number("joystick", &PlayerConfig::joystick),
    Number("sv_aim", &PlayerConfig::svAim),
    Number("console", &PlayerConfig::console),
    Number("cl_himodels", &PlayerConfig::clHimodels),
    Number("d_spriteskip", &PlayerConfig::dSpriteskip),
    Number("sensitivity", &PlayerConfig::sensitivity),
    Number("viewsize", &PlayerConfig::viewsize),
    Number("brightness", &PlayerConfig::brightness),
    Number("gamma", &PlayerConfig::gamma),
    Number("bgmvolume", &PlayerConfig::bgmvolume),
    Number("suitvolume", &PlayerConfig::suitvolume),
    Number("hisound", &PlayerConfig::hisound),
    Number("volume", &PlayerConfig::volume),
    Number("voice_scale", &PlayerConfig::voiceScale),
    Number("voice_modenable", &PlayerConfig::voiceModenable),
    Number("s_a3d", &PlayerConfig::sA3d),
    Number("s_eax", &PlayerConfig::sEax),
    Number("rate", &PlayerConfig::rate),
    Text("model", &PlayerConfig::model),
    Integer("topcolor", &PlayerConfig::topcolor),
    Integer("bottomcolor", &PlayerConfig::bottomcolor),
    Text("name", &PlayerConfig::name),
}};

} // namespace

const std::array<PlayerVariable, kPlayerVariableCount>& PlayerVariables()
{
    return kVariables;
}

PlayerConfig* ThePlayerConfig()
{
    return Instance() ? &*Instance() : nullptr;
}

void SetPlayerConfig(std::optional<PlayerConfig> config)
{
    Instance() = std::move(config);
}

PlayerConfig DefaultPlayerConfig()
{
    PlayerConfig config;
    if (FindOption("-console") || FindOption("-toconsole") || FindOption("-dev"))
        config.console = 1;
    return config;
}

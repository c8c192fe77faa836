#include "config/player/PlayerProfile.h"

#include "app/engine/EngineCommands.h"
#include "app/engine/EngineHost.h"
#include "app/files/GeneratedFile.h"
#include "app/files/PlayerModelList.h"
#include "app/settings/SettingsStore.h"
#include "app/text/Messages.h"
#include "app/text/TextCase.h"
#include "config/cdaudio/CdAudioServices.h"
#include "config/player/DecalWad.h"
#include "config/player/LogoFile.h"
#include "config/player/PlayerConfigStore.h"
#include "config/player/VoiceInputLevel.h"

#include <QFile>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <strings.h>

namespace {

bool EndsWithIgnoringCase(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && strcasecmp(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

bool SameProfile(const PlayerConfig& a, const PlayerConfig& b)
{
    return a.name == b.name && a.model == b.model && a.clHimodels == b.clHimodels &&
           a.voiceModenable == b.voiceModenable && a.voiceScale == b.voiceScale;
}

std::optional<std::string> ReadWhole(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll().toStdString();
}

// A game in progress ends before the logo changes, when the player agrees.
bool LeaveGameForLogo()
{
    EngineHost& host = TheEngineHost();
    if (!host.Loaded() || host.Status().connectionState == kConnectionNone)
        return true;
    if (ShowMessage(PlayerProfile::kMessageLeaveGame, PromptButtons::OkCancel) != kPromptFirst)
        return false;
    CancelCdResume();
    host.AddCommandText(kCommandDisconnect);
    host.EngineFrame(true);
    return true;
}

// config.cfg's variables and the settings' logo choice into memory.
void ReadPlayerFiles(PlayerRecord& record)
{
    ReloadPlayerVariables();
    record.logo = GetSettingString("Settings", PlayerRecord::kLogoSetting, record.logo);
    record.logoColour = GetSettingString("Settings", PlayerRecord::kLogoColourSetting, record.logoColour);
}

} // namespace

std::string PlayerProfile::CleanName(const std::string& text)
{
    std::string name;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c != '"' && byte >= 32 && byte != 127)
            name += c;
    }
    if (name.size() > PlayerConfig::kMaxText)
        name.resize(PlayerConfig::kMaxText);
    return name;
}

bool PlayerProfile::Open()
{
    PlayerConfig* config = ThePlayerConfig();
    PlayerRecord* record = ThePlayerRecord();
    if (!config || !record) {
        ShowMessage(kMessageNoRecord);
        return false;
    }
    ReadPlayerFiles(*record);
    m_openedConfig = *config;
    m_openedRecord = *record;
    m_changed = false;
    m_openedDecals.clear();
    for (const std::string& path : {LogoFolder() + "/" + kDecalFileName, GameFilePath(kDecalFileName)})
        m_openedDecals.emplace_back(path, ReadWhole(path));
    ReadFields(*config, *record);
    return true;
}

void PlayerProfile::Reload()
{
    PlayerConfig* config = ThePlayerConfig();
    PlayerRecord* record = ThePlayerRecord();
    if (!config || !record)
        return;
    const Fields shown = Current();
    const Fields read = m_read;
    ReadPlayerFiles(*record);
    ReadFields(*config, *record);
    if (shown.name != read.name)
        name = shown.name;
    if (shown.highModels != read.highModels)
        highModels = shown.highModels;
    if (shown.voiceEnabled != read.voiceEnabled)
        voiceEnabled = shown.voiceEnabled;
    if (shown.voiceScale != read.voiceScale)
        voiceScale = shown.voiceScale;
    if (shown.voiceInput != read.voiceInput)
        voiceInput = shown.voiceInput;
    if (shown.colour != read.colour)
        m_colour = shown.colour;
    if (shown.logo != read.logo)
        m_logoIndex = CurrentLogoIndex(m_logos, shown.logo);
    LoadCurrentLogo();
}

PlayerProfile::Fields PlayerProfile::Current() const
{
    return Fields{name, highModels, voiceEnabled, voiceScale, voiceInput, LogoName(), m_colour};
}

void PlayerProfile::ReadFields(const PlayerConfig& config, const PlayerRecord& record)
{
    name = config.name;
    highModels = config.clHimodels != 0.0f;
    voiceEnabled = config.voiceModenable != 0.0f;
    voiceScale = std::clamp(int(std::lround(double(config.voiceScale) * 100.0)), 0, 100);
    VoiceInputLevel& level = CurrentVoiceInputLevel();
    voiceInputAvailable = level.Available();
    voiceInput = int(std::lround(level.Level() * 100.0));

    m_colour = 0;
    const auto& colours = LogoColorTable();
    for (size_t i = 0; i < colours.size(); ++i)
        if (strcasecmp(colours[i].name, record.logoColour.c_str()) == 0)
            m_colour = int(i);

    m_logos = ListLogos();
    m_logoIndex = CurrentLogoIndex(m_logos, record.logo);
    LoadCurrentLogo();

    // The record's model among the listed ones, the default model's entry first.
    std::vector<GameFileRecord> models = ListPlayerModels();
    const std::string wanted = config.model.empty() ? kDefaultModel : config.model;
    const std::string tail = "/" + LowerText(wanted) + "/" + LowerText(wanted) + ".bmp";
    std::stable_partition(models.begin(), models.end(), [](const GameFileRecord& model) {
        return EndsWithIgnoringCase(model.name, std::string("/") + kDefaultModel + "/" + kDefaultModel + ".bmp");
    });
    m_modelPath = LowerText(wanted) + ".bmp";
    for (const GameFileRecord& model : models) {
        if (EndsWithIgnoringCase(model.name, tail)) {
            m_modelPath = model.name;
            break;
        }
    }
    m_read = Current();
}

std::string PlayerProfile::LogoName() const
{
    return LogoAt(m_logos, m_logoIndex);
}

void PlayerProfile::LoadCurrentLogo()
{
    const std::string logo = LogoName();
    m_logo = logo == kNoLogo ? std::nullopt : LoadLogo(logo, LogoColorTable()[size_t(m_colour)]);
}

bool PlayerProfile::StepLogo(int step)
{
    const int target = m_logoIndex + step;
    if (target < 0 || size_t(target) >= m_logos.size())
        return false;
    if (!LeaveGameForLogo())
        return false;
    m_logoIndex = target;
    LoadCurrentLogo();
    return true;
}

void PlayerProfile::SetColour(int index)
{
    if (index < 0 || size_t(index) >= LogoColorTable().size())
        return;
    m_colour = index;
    if (m_logo)
        TintLogoPreview(*m_logo, LogoColorTable()[size_t(index)]);
}

std::string PlayerProfile::ModelFromPath(const std::string& fallback) const
{
    // A listed path "models/player/<model>/<model>.bmp" gives its folder's name; any
    // other path is an unlisted model's own name, and the model stays as it was.
    const std::string prefix = "models/player/";
    if (LowerText(m_modelPath).compare(0, prefix.size(), prefix) != 0)
        return fallback;
    const size_t start = prefix.size();
    const size_t end = m_modelPath.find_first_of("/\\", start);
    const std::string model = m_modelPath.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return model.empty() ? fallback : model;
}

void PlayerProfile::Apply()
{
    PlayerConfig* current = ThePlayerConfig();
    if (!current)
        return;
    PlayerConfig copy = *current;
    copy.name = CleanName(name);
    copy.clHimodels = highModels ? 1.0f : 0.0f;
    copy.voiceModenable = voiceEnabled ? 1.0f : 0.0f;
    copy.model = ModelFromPath(current->model);
    *current = copy;
    SavePlayerConfig();
    WriteDecalWad(m_logo ? &*m_logo : nullptr, LogoColorTable()[size_t(m_colour)]);
    // Applied, so no longer edits; the logo, its colour and the voice levels wait for OK.
    m_read.name = name;
    m_read.highModels = highModels;
    m_read.voiceEnabled = voiceEnabled;
    if (!SameProfile(copy, m_openedConfig) || LogoName() != m_openedRecord.logo ||
        strcasecmp(LogoColorTable()[size_t(m_colour)].name, m_openedRecord.logoColour.c_str()) != 0)
        m_changed = true;
}

void PlayerProfile::Ok()
{
    Apply();
    if (PlayerConfig* config = ThePlayerConfig()) {
        config->voiceScale = float(voiceScale) * 0.01f;
        SavePlayerConfig();
    }
    if (PlayerRecord* record = ThePlayerRecord()) {
        record->logo = LogoName();
        record->logoColour = LogoColorTable()[size_t(m_colour)].name;
        SetSettingString("Settings", PlayerRecord::kLogoSetting, record->logo);
        SetSettingString("Settings", PlayerRecord::kLogoColourSetting, record->logoColour);
    }
    if (voiceInputAvailable)
        CurrentVoiceInputLevel().SetLevel(double(voiceInput) * 0.01);
}

void PlayerProfile::Cancel()
{
    if (!m_changed)
        return;
    if (ShowMessage(kMessageKeepChanges, PromptButtons::OkCancel) == kPromptFirst) {
        Apply();
        return;
    }
    // Only what this page stores goes back: the user information page may have saved
    // other variables since the page opened.
    if (PlayerConfig* config = ThePlayerConfig()) {
        config->name = m_openedConfig.name;
        config->model = m_openedConfig.model;
        config->clHimodels = m_openedConfig.clHimodels;
        config->voiceModenable = m_openedConfig.voiceModenable;
        config->voiceScale = m_openedConfig.voiceScale;
        SavePlayerConfig();
    }
    if (PlayerRecord* record = ThePlayerRecord())
        *record = m_openedRecord;
    for (const auto& [path, bytes] : m_openedDecals) {
        if (bytes)
            WriteGeneratedFile(path, *bytes);
        else
            QFile::remove(QString::fromStdString(path));
    }
    m_changed = false;
}

#pragma once
// What the player profile dialog edits, without the widgets: the name, the spray logo
// and its colour, the high-quality models and voice options, and Apply, OK and Cancel
// over the player configuration, the record and the decal files.
#include "config/player/LogoBitmap.h"
#include "config/player/PlayerConfig.h"
#include "config/player/PlayerRecord.h"

#include <optional>
#include <string>
#include <vector>

class PlayerProfile
{
public:
    static constexpr int kMessageNoRecord = 72;
    static constexpr int kMessageKeepChanges = 242;
    static constexpr int kMessageLeaveGame = 470;
    static constexpr const char* kDefaultModel = "pilgrim";

    // Reads the player's files (see Reload) and takes copies of the record and the
    // configuration for Cancel; false (after message 72) without them.
    bool Open();
    // Reads the fields again from the player's files, which another page or the engine
    // may have changed: name, model and switches from config.cfg, the logo and its
    // colour from the settings. A field edited since it was last read or applied keeps
    // the edit; Cancel's copies stay as Open took them.
    void Reload();

    // The fields as the dialog shows them.
    std::string name;
    bool highModels = false;
    bool voiceEnabled = false;
    int voiceScale = 0; // 0..100
    int voiceInput = 0; // 0..100
    bool voiceInputAvailable = false;

    const std::vector<std::string>& Logos() const { return m_logos; }
    int LogoIndex() const { return m_logoIndex; }
    std::string LogoName() const;
    const std::optional<LogoBitmap>& Logo() const { return m_logo; }
    // Steps to the previous (−1) or next (+1) logo without wrapping round; a game in
    // progress ends first when the player agrees (message 470). False when nothing
    // changed.
    bool StepLogo(int step);

    int ColourIndex() const { return m_colour; }
    void SetColour(int index);
    // The listed preview bitmap of the record's model, or the model's own name.
    const std::string& ModelPath() const { return m_modelPath; }

    // Saves the configuration and writes the decal.
    void Apply();
    // Apply, then the voice scale, the settings "Logo" and "Logo Color" and the voice
    // input level.
    void Ok();
    // After an Apply that changed something asks with message 242: OK applies again,
    // Cancel puts the configuration and both decal files back as they were.
    void Cancel();

    // The name as stored: double quotes and control characters dropped, at most 259
    // characters.
    static std::string CleanName(const std::string& text);

private:
    // The fields as last read or applied: what differs from them is an edit.
    struct Fields
    {
        std::string name;
        bool highModels = false;
        bool voiceEnabled = false;
        int voiceScale = 0;
        int voiceInput = 0;
        std::string logo;
        int colour = 0;
    };

    Fields Current() const;
    void ReadFields(const PlayerConfig& config, const PlayerRecord& record);
    void LoadCurrentLogo();
    std::string ModelFromPath(const std::string& fallback) const;

    PlayerConfig m_openedConfig;
    PlayerRecord m_openedRecord;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_openedDecals;
    std::vector<std::string> m_logos;
    int m_logoIndex = 0;
    std::optional<LogoBitmap> m_logo;
    int m_colour = 0;
    std::string m_modelPath;
    bool m_changed = false;
    Fields m_read;
};

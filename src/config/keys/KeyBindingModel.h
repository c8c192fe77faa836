#pragma once
// What the keyboard dialog edits: one row per action of gfx/shell/kb_act.lst with up
// to two keys, the keys taken away while the dialog is open, and capture. The player
// configuration changes only in Apply; "Use defaults" works on the dialog's copy of
// the bindings, so cancelling afterwards leaves the configuration as it was.
#include "config/keys/KeyInfoTable.h"
#include "config/player/PlayerConfig.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct KeyBindingRow
{
    static constexpr uint32_t kWhite = 0xFFFFFF;

    std::string command;
    std::string description;
    std::array<std::string, 2> keys;           // upper case; empty: none
    std::array<uint32_t, 2> colours{kWhite, kWhite};

    bool Separator() const;
};

class KeyBindingModel
{
public:
    static constexpr int kMaxUnbind = 256;
    static constexpr const char* kActionsFile = "gfx/shell/kb_act.lst";

    // Reads the key list and the actions through the game file search and maps the
    // configuration's bindings onto the rows. Problems with the lists are shown to
    // the player (13, 14, 15, 16, 17); false when the key list is missing.
    bool Open(const PlayerConfig& config);
    // The same from texts (tests, and Open after reading the files); returns the
    // message number of the first problem, 0 when there was none.
    int OpenFromTexts(const char* keyList, const char* actions, const PlayerConfig& config);

    const KeyInfoTable& Keys() const { return m_keys; }
    const std::vector<KeyBindingRow>& Rows() const { return m_rows; }
    const std::vector<std::string>& UnbindList() const { return m_unbind; }
    bool Changed() const { return m_changed; }
    // The names the key chooser offers: every key but the "<UNK..." placeholders.
    std::vector<std::string> ChooserNames() const;

    // Gives the key (a name from the key table, any case) to column 1 or 2 of the
    // row, taking it from wherever else it was; false for a name the table lacks or
    // a separator row.
    bool Assign(int row, int column, const std::string& key);
    // Removes the key of a cell; false when it held none.
    bool Clear(int row, int column);
    // The default bindings of gfx/shell/kb_def.lst, shown in the rows; kept by Apply.
    void UseDefaults();

    // Capture: the cell waits for the next input.
    bool StartCapture(int row, int column);
    bool Capturing() const { return m_capturing; }
    int CaptureRow() const { return m_captureRow; }
    int CaptureColumn() const { return m_captureColumn; }
    // Ends capture; a non-empty name is assigned to the waiting cell.
    bool FinishCapture(const std::string& key);

    // Writes the rows into the configuration's bindings.
    void Apply(PlayerConfig& config) const;

private:
    int LoadActions(const char* text);
    void MapBindings();
    void AddToUnbind(const std::string& key);
    std::string FullKeyName(int slot, const std::string& keyName) const;
    uint32_t ColourOf(const std::string& key) const;
    static void RemoveKey(KeyBindingRow& row, int column);

    KeyInfoTable m_keys;
    std::vector<KeyBindingRow> m_rows;
    std::vector<std::string> m_unbind;
    std::array<PlayerBinding, PlayerConfig::kSlots> m_bindings; // the dialog's copy
    std::string m_actionsText;
    bool m_changed = false;
    bool m_capturing = false;
    int m_captureRow = -1;
    int m_captureColumn = 0;
};

// The captured name of a key press: empty (capture ends without a change) for
// Escape, a placeholder name or key number 0.
std::string CapturedKeyName(int virtualKey, bool extended);
// Mouse buttons 1 (left), 2 (right), 3 (middle), 4 and 5 (the extra buttons).
std::string MouseButtonKeyName(int button);
// Vertical wheel turns; delta is the signed 16-bit wheel delta.
std::string WheelKeyName(int delta);

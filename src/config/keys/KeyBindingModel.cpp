#include "config/keys/KeyBindingModel.h"

#include "app/files/SearchPath.h"
#include "app/text/CToken.h"
#include "app/text/Messages.h"
#include "config/keys/KeyNameForVirtualKey.h"
#include "config/player/PlayerConfigStore.h"

#include <algorithm>
#include <strings.h>

namespace {

bool Same(const std::string& a, const std::string& b)
{
    return strcasecmp(a.c_str(), b.c_str()) == 0;
}

// Rows hold the key list's whole name: the name table and config.cfg keep only its
// first kMaxKeyName characters, and a cut name would no longer find its entry.
std::string Upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

bool IsUnknownSlotName(const std::string& name)
{
    return strncasecmp(name.c_str(), "<UNKNOWN", 8) == 0;
}

} // namespace

bool KeyBindingRow::Separator() const
{
    return Same(command, "blank");
}

bool KeyBindingModel::Open(const PlayerConfig& config)
{
    const std::unique_ptr<char[]> keys = LoadFile("gfx/shell/kb_keys.lst");
    const std::unique_ptr<char[]> actions = LoadFile(kActionsFile);
    if (!keys) {
        ShowMessage(15);
        return false;
    }
    const int problem = OpenFromTexts(keys.get(), actions ? actions.get() : nullptr, config);
    if (problem)
        ShowMessage(problem);
    return true;
}

int KeyBindingModel::OpenFromTexts(const char* keyList, const char* actions, const PlayerConfig& config)
{
    m_bindings = config.bindings;
    m_unbind.clear();
    m_changed = false;
    m_capturing = false;
    int problem = KeyInfoTable::MessageFor(m_keys.Parse(keyList));
    m_actionsText = actions ? actions : "";
    const int actionProblem = actions ? LoadActions(m_actionsText.c_str()) : 13;
    if (!problem)
        problem = actionProblem;
    MapBindings();
    return problem;
}

int KeyBindingModel::LoadActions(const char* text)
{
    m_rows.clear();
    CToken token(text);
    token.SetQuoted(true);
    for (;;) {
        const std::string command = token.NextToken();
        if (command.empty())
            return 0;
        const std::string description = token.NextToken();
        if (description.empty())
            return 14;
        KeyBindingRow row;
        row.command = command;
        row.description = description;
        m_rows.push_back(std::move(row));
    }
}

void KeyBindingModel::MapBindings()
{
    for (KeyBindingRow& row : m_rows) {
        row.keys = {};
        row.colours = {KeyBindingRow::kWhite, KeyBindingRow::kWhite};
    }
    for (size_t slot = 0; slot < m_bindings.size(); ++slot) {
        const PlayerBinding& binding = m_bindings[slot];
        if (binding.keyName.empty() || IsUnknownSlotName(binding.keyName) || !binding.command)
            continue;
        const auto row = std::find_if(m_rows.begin(), m_rows.end(), [&](const KeyBindingRow& r) {
            return !r.Separator() && Same(r.command, *binding.command);
        });
        if (row == m_rows.end())
            continue;
        row->keys[1] = row->keys[0];
        row->colours[1] = row->colours[0];
        const std::string name = FullKeyName(int(slot), binding.keyName);
        row->keys[0] = Upper(name);
        row->colours[0] = ColourOf(name);
    }
}

std::string KeyBindingModel::FullKeyName(int slot, const std::string& keyName) const
{
    // The slot's entry in the key list, when the slot's name is its beginning.
    if (slot < m_keys.Count()) {
        const std::string& full = m_keys.At(slot).name;
        if (full.size() >= keyName.size() && strncasecmp(full.c_str(), keyName.c_str(), keyName.size()) == 0)
            return full;
    }
    return keyName;
}

uint32_t KeyBindingModel::ColourOf(const std::string& key) const
{
    const int index = m_keys.Find(key);
    return index < 0 ? KeyBindingRow::kWhite : m_keys.At(index).colour;
}

std::vector<std::string> KeyBindingModel::ChooserNames() const
{
    std::vector<std::string> names;
    for (int i = 0; i < m_keys.Count(); ++i)
        if (!KeyInfoTable::IsUnknownName(m_keys.At(i).name))
            names.push_back(m_keys.At(i).name);
    return names;
}

void KeyBindingModel::AddToUnbind(const std::string& key)
{
    if (key.empty() || int(m_unbind.size()) >= kMaxUnbind)
        return;
    if (std::none_of(m_unbind.begin(), m_unbind.end(), [&](const std::string& k) { return Same(k, key); }))
        m_unbind.push_back(key);
}

void KeyBindingModel::RemoveKey(KeyBindingRow& row, int column)
{
    if (column == 1) {
        row.keys[0] = row.keys[1];
        row.colours[0] = row.colours[1];
    }
    row.keys[1].clear();
    row.colours[1] = KeyBindingRow::kWhite;
}

bool KeyBindingModel::Assign(int rowIndex, int column, const std::string& key)
{
    if (rowIndex < 0 || rowIndex >= int(m_rows.size()) || (column != 1 && column != 2))
        return false;
    const int index = m_keys.Find(key);
    if (index < 0 || KeyInfoTable::IsUnknownName(m_keys.At(index).name) || m_rows[size_t(rowIndex)].Separator())
        return false;
    const std::string name = Upper(m_keys.At(index).name);
    m_changed = true;
    for (int other = 0; other < int(m_rows.size()); ++other) {
        if (other == rowIndex)
            continue;
        KeyBindingRow& row = m_rows[size_t(other)];
        if (Same(row.keys[0], name)) {
            RemoveKey(row, 1);
            AddToUnbind(name);
        }
        if (Same(row.keys[1], name)) {
            RemoveKey(row, 2);
            AddToUnbind(name);
        }
    }
    KeyBindingRow& row = m_rows[size_t(rowIndex)];
    if (column == 1 && Same(row.keys[1], name)) {
        AddToUnbind(row.keys[0]);
        RemoveKey(row, 1);
    } else if (column == 2 && Same(row.keys[0], name)) {
        AddToUnbind(row.keys[1]);
        RemoveKey(row, 2);
        return true; // the key stays in key 1 only
    }
    const size_t cell = size_t(column - 1);
    AddToUnbind(row.keys[cell]);
    if (column == 2 && row.keys[0].empty()) {
        row.keys[0] = name; // no gap before the second key
        row.colours[0] = ColourOf(name);
        return true;
    }
    row.keys[cell] = name;
    row.colours[cell] = ColourOf(name);
    return true;
}

bool KeyBindingModel::Clear(int rowIndex, int column)
{
    if (rowIndex < 0 || rowIndex >= int(m_rows.size()) || (column != 1 && column != 2))
        return false;
    KeyBindingRow& row = m_rows[size_t(rowIndex)];
    const std::string key = row.keys[size_t(column - 1)];
    if (key.empty())
        return false;
    m_changed = true;
    AddToUnbind(key);
    RemoveKey(row, column);
    return true;
}

void KeyBindingModel::UseDefaults()
{
    m_changed = true;
    PlayerConfig defaults;
    for (int slot = 0; slot < PlayerConfig::kSlots; ++slot)
        defaults.bindings[size_t(slot)].keyName = m_bindings[size_t(slot)].keyName;
    ReadDefaultBindings(defaults);
    m_bindings = defaults.bindings;
    // Keys taken away before no longer matter: every binding is the default one now.
    m_unbind.clear();
    LoadActions(m_actionsText.c_str());
    MapBindings();
}

bool KeyBindingModel::StartCapture(int row, int column)
{
    if (row < 0 || row >= int(m_rows.size()) || m_rows[size_t(row)].Separator() || (column != 1 && column != 2))
        return false;
    m_capturing = true;
    m_captureRow = row;
    m_captureColumn = column;
    return true;
}

bool KeyBindingModel::FinishCapture(const std::string& key)
{
    if (!m_capturing)
        return false;
    m_capturing = false;
    return !key.empty() && Assign(m_captureRow, m_captureColumn, key);
}

void KeyBindingModel::Apply(PlayerConfig& config) const
{
    for (int slot = 0; slot < PlayerConfig::kSlots; ++slot)
        config.bindings[size_t(slot)].command = m_bindings[size_t(slot)].command;
    for (const std::string& key : m_unbind) {
        const int slot = m_keys.Find(key);
        if (slot >= 0 && slot < PlayerConfig::kSlots)
            config.bindings[size_t(slot)].command.reset();
    }
    for (const KeyBindingRow& row : m_rows) {
        if (row.Separator())
            continue;
        for (const std::string& key : row.keys) {
            const int slot = m_keys.Find(key);
            if (key.empty() || slot < 0 || slot >= PlayerConfig::kSlots)
                continue;
            config.bindings[size_t(slot)].command = row.command;
            config.bindings[size_t(slot)].keyName = m_keys.At(slot).name.substr(0, PlayerConfig::kMaxKeyName);
        }
    }
}

std::string CapturedKeyName(int virtualKey, bool extended)
{
    const EngineKeyName key = KeyNameForVirtualKey(virtualKey, extended);
    if (key.number == 0 || key.name == "ESCAPE" || KeyInfoTable::IsUnknownName(key.name))
        return {};
    return key.name;
}

std::string MouseButtonKeyName(int button)
{
    return button >= 1 && button <= 5 ? "MOUSE" + std::to_string(button) : std::string();
}

std::string WheelKeyName(int delta)
{
    return int16_t(delta) > 0 ? "MWHEELUP" : "MWHEELDOWN";
}

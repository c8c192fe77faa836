#include "config/player/PlayerConfigStore.h"

#include "app/files/GeneratedFile.h"
#include "app/files/SearchPath.h"
#include "app/settings/LauncherState.h"
#include "app/text/CToken.h"
#include "app/text/Messages.h"
#include "config/keys/KeyInfoTable.h"
#include "config/player/PlayerConfig.h"
#include "platform/NumberText.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>
#include <strings.h>

namespace {

constexpr float kDefaultRate = 2500;

ConfigFile::KeyNames& Table()
{
    static ConfigFile::KeyNames table;
    return table;
}

enum class ReadResult
{
    Loaded,
    Absent,
    Unreadable,
};

// The file of the game directory, else the first copy the game file search finds.
ReadResult ReadConfig(const std::string& fileName, ConfigFile& file)
{
    const std::string path = GameFilePath(fileName);
    const QString qPath = QString::fromStdString(path);
    std::string bytes;
    if (QFileInfo::exists(qPath) || QFileInfo(qPath).isSymLink()) {
        QFile in(qPath);
        if (!QFileInfo(qPath).isFile() || !in.open(QIODevice::ReadOnly))
            return ReadResult::Unreadable;
        const QByteArray data = in.readAll();
        if (in.error() != QFileDevice::NoError)
            return ReadResult::Unreadable;
        bytes.assign(data.constData(), size_t(data.size()));
    } else {
        int64_t length = 0;
        const std::unique_ptr<char[]> text = LoadFile(fileName, &length);
        if (!text)
            return ReadResult::Absent;
        bytes.assign(text.get(), size_t(std::max<int64_t>(0, length)));
    }
    file.Parse(bytes, Table());
    return ReadResult::Loaded;
}

bool WriteConfig(const std::string& fileName, const ConfigFile& file)
{
    const std::string path = GameFilePath(fileName);
    if (WriteGeneratedFile(path, file.Text()))
        return true;
    ShowFormattedMessage(kConfigWriteFailedMessage, path.c_str());
    return false;
}

// Reading before a write: an unreadable file is never replaced.
bool ReadForEdit(const std::string& fileName, ConfigFile& file)
{
    if (ReadConfig(fileName, file) != ReadResult::Unreadable)
        return true;
    ShowFormattedMessage(kConfigWriteFailedMessage, GameFilePath(fileName).c_str());
    return false;
}

// A value that is not one finite number as a whole ("nan", "abc", "5,5", "90 fov")
// gives the default rather than the number its beginning spells.
float ReadNumber(const std::string& text, float fallback)
{
    const std::optional<double> number = ParseWholeDouble(text);
    const float value = number ? NarrowToFloat(*number) : fallback;
    return std::isfinite(value) ? value : fallback;
}

std::string CutText(const std::string& text)
{
    return text.substr(0, PlayerConfig::kMaxText);
}

void ReadVariables(const ConfigFile& file, PlayerConfig& config)
{
    const PlayerConfig defaults;
    for (const PlayerVariable& variable : PlayerVariables()) {
        const std::optional<std::string> value = file.Value(variable.cvar);
        if (!value)
            continue;
        if (variable.number)
            config.*variable.number = ReadNumber(*value, defaults.*variable.number);
        else if (variable.integer)
            config.*variable.integer = ParseInt(*value);
        else
            config.*variable.text = CutText(*value);
    }
    if (config.rate == 0)
        config.rate = kDefaultRate;
    config.mlook = file.HasPlus("+mlook") ? 1 : 0;
    config.jlook = file.HasPlus("+jlook") ? 1 : 0;
}

void ReadBindings(const ConfigFile& file, PlayerConfig& config)
{
    for (int slot = 0; slot < PlayerConfig::kSlots; ++slot) {
        const ConfigFile::Statement* binding = file.Binding(slot);
        PlayerBinding& target = config.bindings[size_t(slot)];
        if (binding && !binding->name.empty() && !binding->value.empty())
            target.command = binding->value;
        else
            target.command.reset();
    }
}

void WriteBindings(const PlayerConfig& config, ConfigFile& file)
{
    for (int slot = 0; slot < PlayerConfig::kSlots; ++slot) {
        const PlayerBinding& binding = config.bindings[size_t(slot)];
        if (!binding.command || binding.command->empty()) {
            file.ClearBinding(slot);
            continue;
        }
        const ConfigFile::Statement* existing = file.Binding(slot);
        const std::string key = existing ? existing->name : binding.keyName;
        if (key.empty())
            file.ClearBinding(slot);
        else
            file.SetBinding(slot, key, *binding.command);
    }
}

void WriteVariables(const PlayerConfig& config, ConfigFile& file)
{
    const PlayerConfig defaults;
    for (const PlayerVariable& variable : PlayerVariables()) {
        std::string text;
        if (variable.number) {
            const float value = config.*variable.number;
            // A value that reads back as the same number keeps its spelling, and so
            // does an invalid one while the option stays at the default it read as.
            const std::optional<std::string> old = file.Value(variable.cvar);
            if (old && ReadNumber(*old, defaults.*variable.number) == value)
                continue;
            text = FormatFixed(double(value), 6);
        } else if (variable.integer) {
            text = FormatInt(config.*variable.integer);
        } else {
            text = config.*variable.text;
        }
        file.SetValue(variable.cvar, text);
    }
    if (config.mlook != 0)
        file.KeepOnePlus("+mlook");
    else
        file.RemovePlus("+mlook");
    if (config.jlook != 0)
        file.KeepOnePlus("+jlook");
    else
        file.RemovePlus("+jlook");
}

std::string CutKeyName(const std::string& name)
{
    return name.substr(0, PlayerConfig::kMaxKeyName);
}

} // namespace

const ConfigFile::KeyNames& KeyNameTable()
{
    return Table();
}

int KeyNameSlot(const std::string& name)
{
    if (name.empty())
        return -1;
    for (int slot = 0; slot < PlayerConfig::kSlots; ++slot)
        if (strcasecmp(Table()[size_t(slot)].c_str(), name.c_str()) == 0)
            return slot;
    return -1;
}

KeyNamesResult LoadKeyNames()
{
    KeyInfoTable keys;
    const KeyInfoTable::Result result = keys.Load();
    if (result != KeyInfoTable::Result::Missing) {
        ConfigFile::KeyNames names;
        for (int i = 0; i < keys.Count(); ++i)
            if (!KeyInfoTable::IsUnknownName(keys.At(i).name))
                names[size_t(i)] = CutKeyName(keys.At(i).name);
        Table() = names;
    }
    if (PlayerConfig* config = ThePlayerConfig())
        for (int slot = 0; slot < PlayerConfig::kSlots; ++slot)
            config->bindings[size_t(slot)].keyName = Table()[size_t(slot)];
    switch (result) {
    case KeyInfoTable::Result::Missing:
        return KeyNamesResult::Missing;
    case KeyInfoTable::Result::ShortEntry:
        ShowMessage(16);
        return KeyNamesResult::ShortEntry;
    case KeyInfoTable::Result::TooMany:
        ShowMessage(17);
        return KeyNamesResult::TooMany;
    default:
        return KeyNamesResult::Ok;
    }
}

void LoadDefaultBindings()
{
    LoadKeyNames();
    if (PlayerConfig* config = ThePlayerConfig())
        ReadDefaultBindings(*config);
}

bool ReadDefaultBindings(PlayerConfig& config)
{
    const std::unique_ptr<char[]> text = LoadFile(kDefaultBindingsFile);
    if (!text) {
        ShowFormattedMessage(348, kDefaultBindingsFile);
        return false;
    }
    ParseDefaultBindings(text.get(), config);
    return true;
}

void ParseDefaultBindings(const char* text, PlayerConfig& config)
{
    CToken token(text);
    token.SetQuoted(true);
    for (;;) {
        const std::string key = token.NextToken();
        if (key.empty())
            return;
        const std::string command = token.NextToken();
        if (command.empty())
            return;
        const std::string name = CutKeyName(key);
        for (PlayerBinding& binding : config.bindings)
            if (!binding.keyName.empty() && strcasecmp(binding.keyName.c_str(), name.c_str()) == 0) {
                binding.command = command;
                break;
            }
    }
}

bool LoadPlayerConfig()
{
    SetPlayerConfig(DefaultPlayerConfig());
    if (LoadKeyNames() == KeyNamesResult::Missing)
        return false;
    PlayerConfig& config = *ThePlayerConfig();
    ConfigFile file;
    switch (ReadConfig(kPlayerConfigFile, file)) {
    case ReadResult::Absent:
        LoadDefaultBindings();
        SavePlayerConfig();
        return true;
    case ReadResult::Unreadable:
        // The player's file stays as it is; the session runs on the defaults.
        LoadDefaultBindings();
        return true;
    case ReadResult::Loaded:
        break;
    }
    ReadBindings(file, config);
    ReadVariables(file, config);
    return true;
}

bool SavePlayerConfig()
{
    PlayerConfig* config = ThePlayerConfig();
    if (!config)
        return false;
    LoadKeyNames();
    ConfigFile file;
    if (!ReadForEdit(kPlayerConfigFile, file))
        return false;
    WriteBindings(*config, file);
    WriteVariables(*config, file);
    return WriteConfig(kPlayerConfigFile, file);
}

bool SavePlayerRate(int rate)
{
    PlayerConfig* config = ThePlayerConfig();
    if (!config || rate <= 0 || config->rate == float(rate))
        return false;
    config->rate = float(rate);
    return SavePlayerConfig();
}

bool ReloadPlayerVariables()
{
    PlayerConfig* config = ThePlayerConfig();
    ConfigFile file;
    if (!config || ReadConfig(kPlayerConfigFile, file) != ReadResult::Loaded)
        return false;
    ReadVariables(file, *config);
    return true;
}

bool SetConfigValue(const std::string& fileName, const std::string& cvar, const std::string& value, bool setInfo)
{
    ConfigFile file;
    if (!ReadForEdit(fileName, file))
        return false;
    file.SetValue(cvar, value, setInfo);
    return WriteConfig(fileName, file);
}

std::optional<std::string> GetConfigValue(const std::string& fileName, const std::string& cvar)
{
    ConfigFile file;
    if (ReadConfig(fileName, file) != ReadResult::Loaded)
        return std::nullopt;
    return file.Value(cvar);
}

std::string GameFilePath(const std::string& fileName)
{
    // The file search keeps the game directory as the full path of the folder on disk.
    const LauncherState& state = Launcher();
    const std::string& game = state.gameDirectory;
    const std::string directory =
        !game.empty() && game[0] == '/' ? game : ResolveCaseInsensitive(state.baseDirectory, game);
    return directory + "/" + fileName;
}

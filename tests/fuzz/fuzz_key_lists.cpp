// Parses arbitrary bytes as the three key lists (kb_keys.lst, kb_act.lst and
// kb_def.lst, split at 0xFF bytes) and runs the keyboard dialog's rules over them.
#include "config/keys/KeyBindingModel.h"
#include "config/player/PlayerConfigStore.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string parts[3];
    int part = 0;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xFF && part < 2)
            ++part;
        else
            parts[part] += char(data[i]);
    }
    PlayerConfig config;
    KeyInfoTable table;
    table.Parse(parts[0].c_str());
    for (int i = 0; i < table.Count(); ++i)
        config.bindings[size_t(i)].keyName = table.At(i).name.substr(0, PlayerConfig::kMaxKeyName);
    ParseDefaultBindings(parts[2].c_str(), config);

    KeyBindingModel model;
    model.OpenFromTexts(parts[0].c_str(), parts[1].c_str(), config);
    const std::vector<std::string> names = model.ChooserNames();
    const int rows = int(model.Rows().size());
    for (int row = 0; row < rows && row < 8; ++row)
        for (size_t n = 0; n < names.size() && n < 4; ++n)
            model.Assign(row, 1 + int(n % 2), names[n]);
    if (rows > 0)
        model.Clear(0, 1);
    model.Apply(config);
    return 0;
}

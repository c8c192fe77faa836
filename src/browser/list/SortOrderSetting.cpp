#include "browser/list/SortOrderSetting.h"

#include "app/settings/SettingsStore.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>

std::vector<int> SortKeysFromText(std::string_view text)
{
    std::vector<int> keys;
    size_t pos = 0;
    while (pos < text.size() && int(keys.size()) < kMaxSortKeys) {
        const size_t end = std::min(text.find(';', pos), text.size());
        const char* first = text.data() + pos;
        const char* last = text.data() + end;
        while (first < last && *first == ' ')
            ++first;
        int key = 0;
        const auto [ptr, error] = std::from_chars(first, last, key);
        if (error != std::errc() || key == 0 || key == std::numeric_limits<int>::min())
            break;
        keys.push_back(key);
        pos = end + 1;
    }
    return keys;
}

std::string SortKeysToText(const std::vector<int>& keys)
{
    std::string text;
    for (const int key : keys)
        text += std::to_string(key) + ";";
    return text;
}

std::vector<int> LoadSortKeys(std::string_view settingName)
{
    return SortKeysFromText(GetSettingString(kSettingsSection, settingName, kDefaultSortOrder));
}

void SaveSortKeys(std::string_view settingName, const std::vector<int>& keys)
{
    SetSettingString(kSettingsSection, settingName, SortKeysToText(keys));
}

void ChooseSortKey(std::vector<int>& keys, int column)
{
    const int primary = keys.empty() ? 1 : keys.front();
    const int key = std::abs(primary) == column + 1 ? -primary : column + 1;
    keys.erase(std::remove_if(keys.begin(), keys.end(), [key](int k) { return std::abs(k) == std::abs(key); }),
               keys.end());
    if (int(keys.size()) < kMaxSortKeys)
        keys.insert(keys.begin(), key);
}

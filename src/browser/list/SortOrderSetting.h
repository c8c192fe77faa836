#pragma once
// The stored sort keys of the server lists: text in the "Settings" section, each key
// in decimal followed by ";" ("5;-6;1;"). A list loads them under its sort setting
// name when it is created and writes them back when it goes away.
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kNetSortOrderSetting = "Net Sort Order";
inline constexpr const char* kLanSortOrderSetting = "LAN Sort Order";
inline constexpr const char* kDefaultSortOrder = "1;";
inline constexpr int kMaxSortKeys = 14;

// Reading stops at the first key that is 0 or not a number, or after kMaxSortKeys.
std::vector<int> SortKeysFromText(std::string_view text);
std::string SortKeysToText(const std::vector<int>& keys);

// A missing value reads as kDefaultSortOrder.
std::vector<int> LoadSortKeys(std::string_view settingName);
void SaveSortKeys(std::string_view settingName, const std::vector<int>& keys);

// A click on the header of column (counted from 0): the primary key's column flips
// its direction, another column becomes the primary key in forward order. Keys of
// the same column are removed; a full list takes no new key.
void ChooseSortKey(std::vector<int>& keys, int column);

#pragma once
// The persistent settings store: named integers and strings in sections of the
// user's "Harrow/VREL15" store (an INI file in the user's config folder). Reads never
// fail: a missing or unreadable value yields the default.
#include <string>
#include <string_view>

inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kSettingsOrganisation = "Harrow";
inline constexpr const char* kSettingsApplication = "VREL15";
inline constexpr size_t kMaxSettingString = 1023;

int GetSettingInt(std::string_view section, std::string_view name, int defaultValue);
std::string GetSettingString(std::string_view section, std::string_view name, std::string_view defaultValue);
void SetSettingInt(std::string_view section, std::string_view name, int value);
void SetSettingString(std::string_view section, std::string_view name, std::string_view value);

// Removes the product-title store ("Harrow/Kestrel") with everything below it; the
// launcher's own "VREL15" values are not touched.
void RemoveProductSettings();
// Path of the file that holds the launcher's own values.
std::string SettingsFilePath();

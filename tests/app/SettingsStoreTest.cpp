#include "app/settings/SettingsStore.h"
#include "support/TempTree.h"

#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

TEST(SettingsStore, ValuesRoundTripInTheirSectionAndDefaultsFillGaps)
{
    ScopedSettingsFolder folder;
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineType", 1), 1);
    EXPECT_EQ(GetSettingString(kSettingsSection, "Logo", "None"), "None");

    SetSettingInt(kSettingsSection, "EngineModeW", 1024);
    SetSettingInt(kSettingsSection, "Negative", -5);
    SetSettingString(kSettingsSection, "Logo Color", "Dark Blue");
    SetSettingString("Net Filters", "Map", "arena");
    EXPECT_EQ(GetSettingInt(kSettingsSection, "EngineModeW", 0), 1024);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "Negative", 0), -5);
    EXPECT_EQ(GetSettingString(kSettingsSection, "Logo Color", ""), "Dark Blue");
    EXPECT_EQ(GetSettingString("Net Filters", "Map", ""), "arena");
    EXPECT_EQ(GetSettingString(kSettingsSection, "Map", "none"), "none");

    // The launcher's values live in Harrow/VREL15.ini, section [Settings].
    EXPECT_EQ(SettingsFilePath(), folder.IniPath().toStdString());
    QSettings raw(folder.IniPath(), QSettings::IniFormat);
    EXPECT_EQ(raw.value("Settings/EngineModeW").toInt(), 1024);
}

TEST(SettingsStore, DamagedValuesReadAsDefaultsAndLongTextsAreCut)
{
    ScopedSettingsFolder folder;
    {
        QSettings raw(folder.IniPath(), QSettings::IniFormat);
        raw.setValue("Settings/CPUMHZ", "fast");
        raw.setValue("Settings/Huge", "99999999999");
    }
    EXPECT_EQ(GetSettingInt(kSettingsSection, "CPUMHZ", 7), 7);
    EXPECT_EQ(GetSettingInt(kSettingsSection, "Huge", 3), 3);

    SetSettingString(kSettingsSection, "Long", std::string(5000, 'q'));
    EXPECT_EQ(GetSettingString(kSettingsSection, "Long", "").size(), kMaxSettingString);
}

#include "app/settings/SettingsStore.h"

#include "app/settings/LauncherState.h"

#include <QFile>
#include <QSettings>

#include <climits>

namespace {

QString Key(std::string_view section, std::string_view name)
{
    return QString::fromUtf8(section.data(), qsizetype(section.size())) + '/' +
           QString::fromUtf8(name.data(), qsizetype(name.size()));
}

QSettings OpenStore(const char* application)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, kSettingsOrganisation, application);
}

} // namespace

int GetSettingInt(std::string_view section, std::string_view name, int defaultValue)
{
    const QVariant value = OpenStore(kSettingsApplication).value(Key(section, name));
    if (!value.isValid())
        return defaultValue;
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    // Stored numbers are 32-bit; anything else in the file is treated as absent.
    if (!ok || number < INT_MIN || number > UINT_MAX)
        return defaultValue;
    return int(quint32(number));
}

std::string GetSettingString(std::string_view section, std::string_view name, std::string_view defaultValue)
{
    const QVariant value = OpenStore(kSettingsApplication).value(Key(section, name));
    std::string text = value.isValid() ? value.toString().toStdString() : std::string(defaultValue);
    if (text.size() > kMaxSettingString)
        text.resize(kMaxSettingString);
    return text;
}

void SetSettingInt(std::string_view section, std::string_view name, int value)
{
    OpenStore(kSettingsApplication).setValue(Key(section, name), value);
}

void SetSettingString(std::string_view section, std::string_view name, std::string_view value)
{
    OpenStore(kSettingsApplication).setValue(Key(section, name), QString::fromUtf8(value.data(), qsizetype(value.size())));
}

void RemoveProductSettings()
{
    QSettings store = OpenStore(Launcher().productTitle.c_str());
    store.clear();
    store.sync();
    QFile::remove(store.fileName());
}

std::string SettingsFilePath()
{
    return OpenStore(kSettingsApplication).fileName().toStdString();
}

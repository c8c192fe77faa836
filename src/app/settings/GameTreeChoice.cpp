#include "app/settings/GameTreeChoice.h"

#include "app/settings/SettingsStore.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr const char* kBaseGameDirectory = "harrow";
constexpr const char* kGameDirectory = "vrel";

QString Clean(const QString& folder)
{
    return folder.isEmpty() ? QString() : QDir::cleanPath(QDir(folder).absolutePath());
}

} // namespace

GameTreeChoice::GameTreeChoice(QString home, QString programDirectory)
    : m_home(std::move(home)), m_programDirectory(std::move(programDirectory))
{
}

GameTreeChoice::Decision GameTreeChoice::Decide() const
{
    // KESTREL_HOME is the player's explicit word: taken even when it holds no game yet.
    if (!m_home.isEmpty())
        return {Source::Home, Clean(m_home)};
    if (const QString remembered = Remembered(); !remembered.isEmpty() && HoldsGame(remembered))
        return {Source::Remembered, Clean(remembered)};
    if (HoldsGame(m_programDirectory))
        return {Source::ProgramDirectory, Clean(m_programDirectory)};
    return {};
}

bool GameTreeChoice::HoldsGame(const QString& folder)
{
    if (folder.isEmpty())
        return false;
    const QDir dir(folder);
    return QFileInfo(dir.filePath(kBaseGameDirectory)).isDir() && QFileInfo(dir.filePath(kGameDirectory)).isDir();
}

bool GameTreeChoice::ChooseFolder(const QString& folder)
{
    if (!HoldsGame(folder))
        return false;
    Remember(folder);
    return true;
}

QString GameTreeChoice::Remembered()
{
    return QString::fromStdString(GetSettingString(kSettingsSection, kGameFolderSetting, ""));
}

void GameTreeChoice::Remember(const QString& folder)
{
    SetSettingString(kSettingsSection, kGameFolderSetting, Clean(folder).toStdString());
}

QString GameTreeChoice::DemoWorldFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir::cleanPath(data + '/' + kSettingsOrganisation + '/' + kSettingsApplication + "/demo-world");
}

QString GameTreeChoice::DemoGeneratorPath() const
{
    return QDir(m_programDirectory).filePath(kDemoGenerator);
}

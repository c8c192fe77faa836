#include "GameSaves.h"

#include "CommandText.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <strings.h>

GameSaves::GameSaves(const std::string& commandLine) : m_gameDirectory(kDefaultGame)
{
    const std::vector<std::string> words = CommandText::Split(commandLine);
    for (size_t i = 0; i + 1 < words.size(); ++i) {
        if (strcasecmp(words[i].c_str(), "-game") == 0 && !words[i + 1].empty() && words[i + 1][0] != '-' &&
            words[i + 1][0] != '+')
            m_gameDirectory = words[i + 1];
    }
}

std::string GameSaves::Folder() const
{
    const QDir game(QString::fromStdString(m_gameDirectory));
    QString folder = QString::fromLatin1(kFolderName);
    const QStringList existing = game.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    const auto found = std::find_if(existing.begin(), existing.end(),
                                    [&folder](const QString& name) { return name.compare(folder, Qt::CaseInsensitive) == 0; });
    if (found != existing.end())
        folder = *found;
    return m_gameDirectory + '/' + folder.toStdString() + '/';
}

std::string GameSaves::FileName(const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\:") != std::string::npos)
        return {};
    if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }))
        return {};
    std::string file = name;
    if (file.find('.') == std::string::npos)
        file += kExtension;
    return file.size() <= kMaxFileName ? file : std::string();
}

bool GameSaves::Save(const std::string& fileName, const SaveGameInfo& info, std::string& reason) const
{
    if (fileName.empty()) {
        reason = "bad file name";
        return false;
    }
    if (!WriteSaveGame(Folder() + fileName, info)) {
        reason = "could not write the file";
        return false;
    }
    return true;
}

bool GameSaves::Load(const std::string& fileName, SaveGameInfo& info, std::string& reason) const
{
    if (fileName.empty()) {
        reason = "bad file name";
        return false;
    }
    const std::string path = Folder() + fileName;
    if (!QFileInfo(QString::fromStdString(path)).isFile()) {
        reason = "no such saved game";
        return false;
    }
    if (!ReadSaveGame(path, info)) {
        reason = "the file is damaged";
        return false;
    }
    return true;
}

#include "app/saves/SavedGameList.h"

#include "app/files/SearchPath.h"
#include "app/saves/SaveFileFormat.h"
#include "app/saves/SaveHeader.h"
#include "app/settings/LauncherState.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <strings.h>

namespace {

constexpr const char* kModeSwitchPrefix = "KSSave";
constexpr const char* kUnknownText = "??";

QFileInfoList SaveFiles(const QDir& dir)
{
    QFileInfoList files;
    const QFileInfoList all = dir.entryInfoList({"*.sav"}, QDir::Files, QDir::Name);
    for (const QFileInfo& info : all) {
        const std::string name = info.fileName().toStdString();
        if (!IsModeSwitchSave(name) && IsSafeSaveFileName(name))
            files.push_back(info);
    }
    return files;
}

} // namespace

std::string SaveFolder()
{
    return ResolveCaseInsensitive(Launcher().gameDirectory, "SAVE") + "/";
}

void SplitSaveComment(const std::string& comment, std::string& title, std::string& elapsedText)
{
    if (comment.size() > kSaveTimeLength) {
        title = comment.substr(0, comment.size() - kSaveTimeLength);
        elapsedText = comment.substr(comment.size() - kSaveTimeLength);
    } else {
        title = comment;
        elapsedText = kUnknownText;
    }
    while (!title.empty() && title.back() == ' ')
        title.pop_back();
}

std::string SaveDateText(std::optional<std::time_t> writeTime)
{
    if (!writeTime)
        return kUnknownText;
    std::tm local{};
    if (!localtime_r(&*writeTime, &local))
        return kUnknownText;
    char text[kMaxSaveDateText + 1];
    if (std::strftime(text, sizeof text, "%b %d, %I:%M %p", &local) == 0)
        return kUnknownText;
    return text;
}

bool IsModeSwitchSave(const std::string& fileName)
{
    const size_t length = std::char_traits<char>::length(kModeSwitchPrefix);
    return fileName.size() >= length && strncasecmp(fileName.c_str(), kModeSwitchPrefix, length) == 0;
}

bool IsSafeSaveFileName(const std::string& fileName)
{
    if (fileName.empty())
        return false;
    // The name goes into console command text: a line break, a quote or a command
    // separator in it would add commands of the file's choosing.
    return std::none_of(fileName.begin(), fileName.end(), [](char c) {
        const unsigned char u = static_cast<unsigned char>(c);
        return u < 0x20 || u == 0x7F || c == '"' || c == ';';
    });
}

SaveGameListing ListSavedGames(const std::string& folder)
{
    SaveGameListing listing;
    const QDir dir(QString::fromStdString(folder));
    const qsizetype counted = SaveFiles(dir).size();
    QFileInfoList files = SaveFiles(dir);
    if (files.size() > counted) {
        listing.moreFilesThanCounted = true;
        files.resize(counted);
    }

    for (const QFileInfo& info : files) {
        SaveHeader header;
        if (!ReadSaveHeader(info.absoluteFilePath().toStdString(), header))
            continue;
        SaveGameEntry entry;
        entry.fileName = info.fileName().toStdString();
        entry.mapName = header.mapName;
        SplitSaveComment(header.comment, entry.title, entry.elapsedText);
        const QDateTime written = info.lastModified();
        std::optional<std::time_t> writeTime;
        if (written.isValid()) {
            writeTime = std::time_t(written.toSecsSinceEpoch());
            entry.fileTime = written.toMSecsSinceEpoch();
        }
        entry.dateText = SaveDateText(writeTime);
        entry.quick = entry.fileName.find("quick") != std::string::npos;
        entry.autosave = entry.fileName.find("autosave") != std::string::npos;
        listing.entries.push_back(std::move(entry));
    }
    std::stable_sort(listing.entries.begin(), listing.entries.end(),
                     [](const SaveGameEntry& a, const SaveGameEntry& b) { return a.fileTime > b.fileTime; });
    return listing;
}

SaveGameListing ListSavedGames()
{
    return ListSavedGames(SaveFolder());
}

std::string NumberedSaveName(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "Kestrel-%03i.sav", number);
    return name;
}

int NextFreeSaveName(const std::string& folder)
{
    const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + '/';
    for (int n = 0; n <= kMaxSaveNumber; ++n)
        if (!QFileInfo::exists(QString::fromStdString(prefix + NumberedSaveName(n))))
            return n;
    return 0;
}

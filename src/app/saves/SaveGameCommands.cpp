#include "app/saves/SaveGameCommands.h"

#include "app/text/Messages.h"
#include "app/text/StringList.h"

#include <cstdio>

namespace {

constexpr int kMessageTooManyLoadFiles = 139;
constexpr int kMessageTooManySaveFiles = 352;
constexpr int kMessageNewSaveTitle = 385;
constexpr int kMessageNewSaveTime = 386;
constexpr int kMessageNewSaveDate = 387;
constexpr int kMessageNoSelection = 56;
constexpr int kMessageLeaveGame = 238;
constexpr int kMessageNotPlaying = 358;
constexpr int kMessageOverwrite = 359;

bool Confirmed(int message)
{
    return ShowMessage(message, PromptButtons::YesNo) == kPromptFirst;
}

} // namespace

bool GameInProgress(int connectionState)
{
    return connectionState != kConnectionNone && connectionState != kConnectionIdle;
}

std::string LoadCommandText(const std::string& fileName, bool gameInProgress)
{
    return (gameInProgress ? "disconnect\nload " : "load ") + fileName + "\n";
}

std::string SaveCommandText(const std::string& fileName)
{
    return "save " + fileName + "\n";
}

std::vector<SaveGameEntry> LoadDialogEntries(const std::string& folder)
{
    SaveGameListing listing = ListSavedGames(folder);
    if (listing.moreFilesThanCounted)
        ShowMessage(kMessageTooManyLoadFiles);
    return std::move(listing.entries);
}

std::vector<SaveGameEntry> SaveDialogEntries(const std::string& folder)
{
    std::vector<SaveGameEntry> list;
    SaveGameEntry fresh;
    fresh.fileName = NumberedSaveName(NextFreeSaveName(folder));
    fresh.title = GetString(kMessageNewSaveTitle);
    fresh.elapsedText = GetString(kMessageNewSaveTime);
    fresh.dateText = GetString(kMessageNewSaveDate);
    list.push_back(std::move(fresh));

    SaveGameListing listing = ListSavedGames(folder);
    if (listing.moreFilesThanCounted)
        ShowMessage(kMessageTooManySaveFiles);
    for (SaveGameEntry& entry : listing.entries)
        list.push_back(std::move(entry));
    return list;
}

std::string ChooseLoadCommand(const SaveGameEntry* chosen, int connectionState)
{
    if (!chosen || !IsSafeSaveFileName(chosen->fileName))
        return {};
    const bool inProgress = GameInProgress(connectionState);
    if (inProgress && !Confirmed(kMessageLeaveGame))
        return {};
    return LoadCommandText(chosen->fileName, inProgress);
}

std::string ChooseSaveCommand(const std::vector<SaveGameEntry>& list, int chosen, int connectionState, int activeWord)
{
    if (chosen < 0 || size_t(chosen) >= list.size()) {
        ShowMessage(kMessageNoSelection);
        return {};
    }
    if (connectionState != kConnectionPlaying || activeWord == 0) {
        ShowMessage(kMessageNotPlaying);
        return {};
    }
    const SaveGameEntry& entry = list[size_t(chosen)];
    if (!IsSafeSaveFileName(entry.fileName))
        return {};
    if (chosen > 0 && !Confirmed(kMessageOverwrite))
        return {};
    return SaveCommandText(entry.fileName);
}

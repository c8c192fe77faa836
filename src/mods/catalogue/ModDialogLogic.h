#pragma once
// The decisions of the custom games dialog, free of widgets: which buttons work, what
// Activate and Download do, and what a finished download changes.
#include "mods/catalogue/CModRecord.h"

#include <optional>
#include <string>

inline constexpr int kMsgOpenFailed = 90;
inline constexpr int kMsgNewerAvailable = 544;
inline constexpr int kMsgDownloadAgain = 545;
inline constexpr int kMsgNotInstalled = 550;
inline constexpr int kMsgNoticeAccept = 543;
inline constexpr int kMsgNoticeDecline = 546;
inline constexpr const char* kDownloadNoticeFile = "download.txt";
inline constexpr const char* kDownloadPromptSetting = "Download Prompt";
// The notice is shown as plain text, cut to this many bytes.
inline constexpr size_t kMaxNoticeBytes = 64 * 1024;

struct ModButtons
{
    bool activate = false;
    bool deactivate = false;
    bool info = false;
    bool download = false;
};
// row: the selected row or nullptr.
ModButtons ModButtonStates(const CModRecord* row);

// "url_info" / "url_dl" present, not empty and not "none".
bool HasModLink(const CModRecord& record, const char* key);

enum class ModRoute
{
    None,
    Ftp,
    Http,
};
// The download dialog "url_dl" chooses.
ModRoute ModDownloadRoute(const CModRecord& record);

// Activate: asks (550 when not installed, 544 when a newer version is offered) and
// makes the installed record current. True when it changed.
bool ActivateMod(const CModRecord& row);
// Deactivate: back to the base game.
void DeactivateMod();
// Download step 1: false when the player declines downloading an up-to-date game.
bool ConfirmModDownload(const CModRecord& row);
// The download notice's text (download.txt through the file search, cut and stripped
// of control characters except line ends), or no value when it is missing.
std::optional<std::string> DownloadNoticeText();
// After a successful download: the row is installed, its keys go into the installed
// record (created when new), the custom-game master hears of it, and the game
// becomes current.
void FinishModDownload(CModRecord& row);

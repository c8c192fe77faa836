#pragma once
// Downloading and installing one custom game, without a window: an FTP tree or one
// HTTP file is fetched into a private folder beside the game directories; when every
// file is complete a zip is unpacked there and a liblist.gam it brings is checked, and
// only then is everything moved into the game's directory, so a broken download never
// replaces an installed copy. The game counts as installed only when its directory
// then holds a readable liblist.gam. Stop() at any moment leaves nothing behind. The dialogs and the
// command-line tool drive it and show its texts.
#include "mods/catalogue/CModRecord.h"
#include "mods/download/CurlTransfer.h"
#include "mods/download/ModUrl.h"

#include <QTemporaryDir>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class PendingFile;

class ModDownload
{
public:
    static constexpr int kMaxDepth = 16;
    static constexpr int kMaxEntries = 10000;
    static constexpr uint64_t kMaxTotalBytes = 4ull << 30;
    static constexpr uint64_t kMaxListingBytes = 8u << 20;
    static constexpr int kMsgHeading = 514;
    static constexpr int kMsgDoneMegabytes = 515;
    static constexpr int kMsgDoneKilobytes = 516;
    static constexpr int kMsgProgress = 517;
    static constexpr int kMsgConnecting = 519;
    static constexpr int kMsgListing = 520;
    static constexpr int kMsgNothing = 522;
    static constexpr int kMsgStarting = 521;
    static constexpr int kMsgNotFound = 523;
    static constexpr int kMsgReadFailed = 527;
    static constexpr int kMsgCreateFailed = 528;
    static constexpr int kMsgInstall = 556;

    enum class State
    {
        Idle,
        Preparing,
        Transferring,
        Succeeded,
        Failed,
        Stopped,
    };
    struct Callbacks
    {
        std::function<void(const std::string&)> status; // the status line
        std::function<void(State)> finished;            // once, at the end (not after Stop)
    };

    // record: "game", "gamedir", "url_dl"; baseDirectory: where the game directories are.
    ModDownload(const CModRecord& record, std::string baseDirectory, Callbacks callbacks);
    ~ModDownload();

    // Starts (false and Failed when the address is unusable).
    bool Start();
    void Stop();
    State GetState() const { return m_state; }
    bool Active() const { return m_state == State::Preparing || m_state == State::Transferring; }
    // The current progress line (text 517), at most as fresh as the caller asks.
    std::string ProgressText() const;
    int Percent() const;
    uint64_t TotalBytes() const { return m_total; }
    uint64_t DoneBytes() const;
    // Where the game's directory is.
    std::string GameDirectory() const;
    // Last failure, for the command-line tool.
    const std::string& FailureText() const { return m_failure; }
    // Set when an executable was saved rather than installed.
    const std::string& SavedProgram() const { return m_savedProgram; }

    // Totals of 943718 bytes and below read in kilobytes (text 516), above in
    // megabytes (text 515).
    static std::string DoneText(const std::string& game, uint64_t total);

private:
    struct Entry
    {
        std::string remote; // path below the root (FTP) or the URL (HTTP)
        std::string local;  // path below the game's directory
        uint64_t size = 0;
    };

    void Fail(const std::string& text);
    void Status(const std::string& text);
    void StartFtp();
    void OnLiblistChecked(const TransferResult& result);
    void ListNext();
    void OnListing(const TransferResult& result);
    void FetchNext();
    void OnFetched(const TransferResult& result);
    void Finish();
    // Unpacks an archive the player agrees to install, checks the game's liblist.gam
    // and moves everything into gameDir; false once failed.
    bool Install(const std::string& gameDir);
    bool MoveStagedFiles(const std::string& gameDir);
    // Removes the private folder and everything in it.
    void DropStaging();
    std::string RemoteUrl(const std::string& relative, bool folder) const;
    std::string RootPath() const;

    CModRecord m_record;
    std::string m_game;
    std::string m_gamedir;
    std::string m_urlText;
    std::string m_base;
    Callbacks m_callbacks;
    std::optional<ModUrl> m_url;
    State m_state = State::Idle;
    CurlTransfer m_transfer;
    std::unique_ptr<QTemporaryDir> m_staging;
    std::unique_ptr<PendingFile> m_file;
    std::string m_buffer;
    // Folders still to list, with their depth, relative to the root.
    std::deque<std::pair<std::string, int>> m_folders;
    std::string m_listing;
    std::vector<Entry> m_entries;
    size_t m_next = 0;
    uint64_t m_total = 0;
    uint64_t m_doneBefore = 0;
    std::string m_failure;
    std::string m_savedProgram;
};

#include "mods/download/ModDownload.h"

#include "app/files/SearchPath.h"
#include "app/text/Prompt.h"
#include "app/text/StringList.h"
#include "mods/catalogue/Liblist.h"
#include "mods/catalogue/ModCatalogue.h"
#include "mods/catalogue/ReceivedModCheck.h"
#include "mods/download/FtpListing.h"
#include "mods/download/SafeFiles.h"
#include "mods/download/unzip_main.h"

#include <algorithm>
#include <strings.h>
#include <sys/stat.h>

namespace {

constexpr const char* kUnusableAddress = "The download address of this game cannot be used.";
constexpr const char* kRefusedListing = "The download site lists names that cannot be saved safely.";
constexpr const char* kTooLarge = "The download is larger than a custom game may be.";
constexpr const char* kUnpackFailed = "The archive could not be unpacked safely; nothing was installed from it.";
constexpr const char* kNoLiblist = "The downloaded files do not hold the game's liblist.gam.";
constexpr const char* kProgramSaved = "The download is a program for another system. It was saved as %s and not run.";

std::string LastComponent(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool EndsWithNoCase(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && ::strcasecmp(text.c_str() + (text.size() - tail.size()), tail.c_str()) == 0;
}

} // namespace

ModDownload::ModDownload(const CModRecord& record, std::string baseDirectory, Callbacks callbacks)
    : m_record(record), m_game(record.GetKeyText("game")), m_gamedir(record.GetKeyText("gamedir")),
      m_urlText(record.GetKeyText("url_dl")), m_base(std::move(baseDirectory)), m_callbacks(std::move(callbacks))
{
}

ModDownload::~ModDownload()
{
    m_transfer.Stop();
}

std::string ModDownload::DoneText(const std::string& game, uint64_t total)
{
    const double megabytes = double(total) / 1048576.0;
    if (megabytes > double(0.9f))
        return FormatString(kMsgDoneMegabytes, game.c_str(), megabytes);
    return FormatString(kMsgDoneKilobytes, double(total) / 1024.0);
}

std::string ModDownload::GameDirectory() const
{
    return GameDirectoryPath(m_base, m_gamedir);
}

uint64_t ModDownload::DoneBytes() const
{
    return m_doneBefore + (m_transfer.Running() && m_file ? m_transfer.Bytes() : 0);
}

int ModDownload::Percent() const
{
    uint64_t total = m_total;
    if (!m_url || !m_url->IsFtp()) {
        const int64_t declared = m_transfer.DeclaredLength();
        total = declared > 0 ? uint64_t(declared) : m_total;
    }
    if (total == 0)
        return 0;
    return int(std::clamp<uint64_t>(DoneBytes() * 100 / total, 0, 100));
}

std::string ModDownload::ProgressText() const
{
    const std::string current = m_next < m_entries.size() ? m_entries[m_next].remote : std::string();
    return FormatString(kMsgProgress, m_game.c_str(), m_urlText.empty() ? "?" : m_urlText.c_str(), current.c_str(),
                        Percent());
}

void ModDownload::Status(const std::string& text)
{
    if (m_callbacks.status)
        m_callbacks.status(text);
}

void ModDownload::Fail(const std::string& text)
{
    m_transfer.Stop();
    m_file.reset();
    DropStaging();
    m_failure = text;
    m_state = State::Failed;
    Status(text);
    if (m_callbacks.finished)
        m_callbacks.finished(m_state);
}

void ModDownload::Stop()
{
    if (!Active())
        return;
    m_transfer.Stop();
    m_file.reset();
    DropStaging();
    m_state = State::Stopped;
}

bool ModDownload::Start()
{
    m_state = State::Preparing;
    m_url = ParseModUrl(m_urlText);
    if (!m_url || !IsSafeGameDir(m_gamedir)) {
        Fail(kUnusableAddress);
        return false;
    }
    // Hidden, so the catalogue never takes it for a game directory.
    m_staging = std::make_unique<QTemporaryDir>(QString::fromStdString(m_base + "/.kestrel-download-XXXXXX"));
    if (!m_staging->isValid()) {
        Fail(FormatString(kMsgCreateFailed, (m_base + "/" + m_gamedir).c_str()));
        return false;
    }
    Status(FormatString(kMsgConnecting, m_urlText.c_str()));
    if (m_url->IsFtp()) {
        StartFtp();
    } else {
        const std::optional<std::string> name = HttpLocalName(*m_url);
        if (!name) {
            Fail(FormatString(kMsgNotFound, m_game.c_str()));
            return false;
        }
        m_entries.push_back(Entry{m_url->Text(), *name, 0});
        m_state = State::Transferring;
        Status(FormatString(kMsgStarting, m_game.c_str(), m_urlText.c_str()));
        FetchNext();
    }
    return m_state != State::Failed;
}

std::string ModDownload::RootPath() const
{
    std::string root = m_url->path;
    if (root.empty() || root.back() != '/')
        root += '/';
    return root;
}

std::string ModDownload::RemoteUrl(const std::string& relative, bool folder) const
{
    std::string path = RootPath();
    size_t start = 0;
    while (start < relative.size()) {
        size_t end = relative.find('/', start);
        if (end == std::string::npos)
            end = relative.size();
        path += EncodePathSegment(relative.substr(start, end - start));
        if (end < relative.size())
            path += '/';
        start = end + 1;
    }
    if (folder && !relative.empty())
        path += '/';
    return m_url->WithPath(path);
}

void ModDownload::StartFtp()
{
    m_buffer.clear();
    TransferRequest request;
    request.url = RemoteUrl("liblist.gam", false);
    request.memory = &m_buffer;
    request.maxBytes = kMaxLiblistBytes;
    if (!m_transfer.Start(request, [this](const TransferResult& result) { OnLiblistChecked(result); }))
        Fail(FormatString(kMsgNotFound, m_urlText.c_str()));
}

void ModDownload::OnLiblistChecked(const TransferResult& result)
{
    if (!result.ok) {
        Fail(FormatString(kMsgNotFound, m_urlText.c_str()));
        return;
    }
    Status(GetString(kMsgListing));
    m_folders.clear();
    m_folders.emplace_back(std::string(), 0);
    ListNext();
}

void ModDownload::ListNext()
{
    if (m_folders.empty()) {
        if (m_total < 1) {
            Fail(GetString(kMsgNothing));
            return;
        }
        m_state = State::Transferring;
        Status(FormatString(kMsgStarting, m_game.c_str(), m_urlText.c_str()));
        FetchNext();
        return;
    }
    TransferRequest request;
    request.url = RemoteUrl(m_folders.front().first, true);
    request.memory = &m_listing;
    request.maxBytes = kMaxListingBytes;
    request.customRequest = "MLSD";
    m_listing.clear();
    if (!m_transfer.Start(request, [this](const TransferResult& result) { OnListing(result); }))
        Fail(FormatString(kMsgReadFailed, m_folders.front().first.c_str()));
}

void ModDownload::OnListing(const TransferResult& result)
{
    const auto [folder, depth] = m_folders.front();
    m_folders.pop_front();
    if (!result.ok) {
        Fail(FormatString(kMsgReadFailed, folder.c_str()) + " " + result.error);
        return;
    }
    const std::optional<std::vector<FtpEntry>> entries = ParseMlsd(m_listing);
    if (!entries) {
        Fail(kRefusedListing);
        return;
    }
    for (const FtpEntry& entry : *entries) {
        const std::string path = folder.empty() ? entry.name : folder + "/" + entry.name;
        if (entry.kind == FtpEntry::Folder) {
            if (depth + 1 > kMaxDepth) {
                Fail(kRefusedListing);
                return;
            }
            m_folders.emplace_back(path, depth + 1);
        } else if (entry.kind == FtpEntry::File) {
            if (int(m_entries.size()) >= kMaxEntries || entry.size > kMaxTotalBytes - m_total) {
                Fail(kTooLarge);
                return;
            }
            m_total += entry.size;
            m_entries.push_back(Entry{path, path, entry.size});
        }
    }
    ListNext();
}

void ModDownload::FetchNext()
{
    if (m_next >= m_entries.size()) {
        Finish();
        return;
    }
    const Entry& entry = m_entries[m_next];
    m_file = std::make_unique<PendingFile>();
    if (!m_file->Open(m_staging->path().toStdString(), entry.local)) {
        Fail(FormatString(kMsgCreateFailed, (m_gamedir + "/" + entry.local).c_str()));
        return;
    }
    TransferRequest request;
    request.http = !m_url->IsFtp();
    request.url = request.http ? entry.remote : RemoteUrl(entry.remote, false);
    request.file = m_file.get();
    request.maxBytes = kMaxTotalBytes - m_doneBefore;
    if (!m_transfer.Start(request, [this](const TransferResult& result) { OnFetched(result); }))
        Fail(FormatString(kMsgReadFailed, entry.remote.c_str()));
}

void ModDownload::OnFetched(const TransferResult& result)
{
    const Entry& entry = m_entries[m_next];
    if (!result.ok) {
        Fail(FormatString(kMsgReadFailed, entry.remote.c_str()) + " " + result.error);
        return;
    }
    if (!m_file->Commit()) {
        Fail(FormatString(kMsgCreateFailed, (m_gamedir + "/" + entry.local).c_str()));
        return;
    }
    m_file.reset();
    m_doneBefore += result.bytes;
    ++m_next;
    FetchNext();
}

void ModDownload::Finish()
{
    // Everything is complete: only now does anything reach the game's directory.
    std::vector<std::string> parts{m_gamedir};
    std::string gameDir = GameDirectory();
    struct stat st
    {
    };
    if (::lstat(gameDir.c_str(), &st) != 0) {
        gameDir = m_base + "/" + m_gamedir;
        if (!MakeFoldersNoFollow(m_base, parts, 1)) {
            Fail(FormatString(kMsgCreateFailed, m_gamedir.c_str()));
            return;
        }
    } else if (!S_ISDIR(st.st_mode)) {
        Fail(FormatString(kMsgCreateFailed, m_gamedir.c_str()));
        return;
    }
    Status(DoneText(m_game, m_doneBefore));
    if (!Install(gameDir))
        return;
    if (!ReadLiblist(m_gamedir, ResolveCaseInsensitive(gameDir, "liblist.gam"))) {
        Fail(kNoLiblist);
        return;
    }
    // A new copy of the active game: the file search must see the new files.
    if (CModRecord* current = CurrentMod(); current && SameText(current->GetKeyText("gamedir"), m_gamedir))
        AddGameDirectory(false, m_base, current->GetKeyText("gamedir"));
    m_state = State::Succeeded;
    if (m_callbacks.finished)
        m_callbacks.finished(m_state);
}

bool ModDownload::MoveStagedFiles(const std::string& gameDir)
{
    // Every file the download and its archive left in the private folder, below it as
    // below the game's directory (the unpacker writes no links). Names are taken as
    // their bytes stand: an archive's names need not be UTF-8.
    const std::string root = m_staging->path().toStdString();
    for (const std::string& relative : FilesBelowNoFollow(root)) {
        if (!MoveIntoPlace(root + "/" + relative, gameDir, relative)) {
            Fail(FormatString(kMsgCreateFailed, (m_gamedir + "/" + relative).c_str()));
            return false;
        }
    }
    DropStaging();
    return true;
}

void ModDownload::DropStaging()
{
    // Removed by the names' own bytes first: the folder's own removal goes by text and
    // would leave a file whose name is not UTF-8.
    if (m_staging && m_staging->isValid())
        RemoveTreeNoFollow(m_staging->path().toStdString());
    m_staging.reset();
}

bool ModDownload::Install(const std::string& gameDir)
{
    const Entry* archive = nullptr;
    std::string question;
    if (m_url->IsFtp()) {
        for (const Entry& entry : m_entries)
            if (::strcasecmp(LastComponent(entry.local).c_str(), (m_gamedir + ".zip").c_str()) == 0) {
                archive = &entry;
                break;
            }
        if (archive)
            question = LastComponent(archive->local);
    } else {
        const Entry& entry = m_entries.front();
        if (EndsWithNoCase(entry.local, ".exe")) {
            // Saved for the player, never run.
            if (!MoveStagedFiles(gameDir))
                return false;
            m_savedProgram = gameDir + "/" + entry.local;
            char text[1024];
            std::snprintf(text, sizeof text, kProgramSaved, m_savedProgram.c_str());
            CurrentPrompt().Show(text, PromptButtons::Ok);
            Fail(text);
            return false;
        }
        if (EndsWithNoCase(entry.local, ".zip")) {
            archive = &entry;
            question = m_urlText;
        }
    }
    // The archive is unpacked beside the downloaded files, in the private folder, and
    // the game's liblist.gam checked there: an archive that fails partway or a copy
    // whose liblist.gam is unusable leaves an installed copy as it was.
    const std::string staging = m_staging->path().toStdString();
    if (archive && CurrentPrompt().Show(FormatString(kMsgInstall, question.c_str()), PromptButtons::YesNo) == kPromptFirst) {
        const std::string zipPath = staging + "/" + archive->local;
        const char* const argv[] = {"unzip", "-d", staging.c_str(), zipPath.c_str()};
        if (unzip_main(4, argv) != kUnzipOk) {
            Fail(kUnpackFailed);
            return false;
        }
    }
    const std::string stagedLiblist = ResolveCaseInsensitive(staging, "liblist.gam");
    struct stat st
    {
    };
    if (::lstat(stagedLiblist.c_str(), &st) == 0 && !ReadLiblist(m_gamedir, stagedLiblist)) {
        Fail(kNoLiblist);
        return false;
    }
    return MoveStagedFiles(gameDir);
}

#include "app/files/SearchPath.h"

#include "app/files/FileHandleTable.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/FatalError.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <cstring>

namespace {

std::list<SearchPathEntry> g_entries;
bool g_initialised = false;

bool IsFile(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The entry of folder whose name equals wanted ignoring case, or empty.
std::string FindIgnoringCase(const std::string& folder, const std::string& wanted)
{
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return {};
    std::string found;
    while (dirent* entry = ::readdir(dir)) {
        if (strcasecmp(entry->d_name, wanted.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

void ReleaseArchive(SearchPathEntry& entry)
{
    if (entry.pack) {
        FileHandles().Close(entry.pack->handle);
        entry.pack->handle = -1;
    }
}

std::string Normalise(std::string name)
{
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return name;
}

} // namespace

std::string ResolveCaseInsensitive(const std::string& root, const std::string& relative)
{
    const std::string direct = root + '/' + relative;
    struct stat st {};
    if (::stat(direct.c_str(), &st) == 0)
        return direct;
    std::string path = root;
    size_t start = 0;
    while (start <= relative.size()) {
        size_t end = relative.find('/', start);
        if (end == std::string::npos)
            end = relative.size();
        const std::string part = relative.substr(start, end - start);
        if (!part.empty()) {
            const std::string match = FindIgnoringCase(path, part);
            if (match.empty())
                return direct;
            path += '/' + match;
        }
        start = end + 1;
    }
    return path;
}

void InitSearchPath()
{
    if (g_initialised)
        return;
    g_initialised = true;
    for (SearchPathEntry& entry : g_entries)
        ReleaseArchive(entry);
    g_entries.clear();
    AddGameDirectory(true, Launcher().baseDirectory, "harrow");
    std::string game;
    if (FindOption("-game", &game) && !game.empty())
        AddGameDirectory(false, Launcher().baseDirectory, game);
}

void AddGameDirectory(bool base, const std::string& root, const std::string& name)
{
    if (!base) {
        for (auto it = g_entries.begin(); it != g_entries.end();) {
            if (!it->base) {
                ReleaseArchive(*it);
                it = g_entries.erase(it);
            } else {
                ++it;
            }
        }
    }
    // On a case-sensitive file system, "VREL" on the command line still finds "vrel".
    std::string folderName = name;
    if (!IsDirectory(root + '/' + name)) {
        const std::string match = FindIgnoringCase(root, name);
        if (!match.empty())
            folderName = match;
    }
    const std::string directory = root + '/' + folderName;
    Launcher().gameDirectory = directory;

    for (int i = 0;; ++i) {
        const std::string path = directory + "/pak" + std::to_string(i) + ".pak";
        if (!IsFile(path))
            break;
        auto pack = ReadPackFile(path);
        if (!pack)
            break;
        pack->handle = FileHandles().Open(path);
        if (pack->handle < 0)
            break;
        SearchPathEntry entry;
        entry.base = base;
        entry.root = root;
        entry.gameDirectoryName = folderName;
        entry.pack = std::make_shared<PackFile>(std::move(*pack));
        g_entries.push_front(std::move(entry));
    }

    SearchPathEntry entry;
    entry.base = base;
    entry.directory = directory;
    entry.root = root;
    entry.gameDirectoryName = folderName;
    g_entries.push_front(std::move(entry));
}

void ResetSearchPath()
{
    for (SearchPathEntry& entry : g_entries)
        ReleaseArchive(entry);
    g_entries.clear();
    g_initialised = false;
}

const std::list<SearchPathEntry>& SearchPathEntries()
{
    return g_entries;
}

int64_t COM_FindFile(const std::string& name, FileLocation* location, FILE** file)
{
    if (location && file)
        FatalError("COM_FindFile: both phFile and file set");
    if (!location && !file)
        FatalError("COM_FindFile: neither phFile or file set");

    InitSearchPath();
    if (location)
        *location = FileLocation{};
    else
        *file = nullptr;

    const std::string relative = Normalise(name);
    for (const SearchPathEntry& entry : g_entries) {
        if (!entry.pack) {
            const std::string path = ResolveCaseInsensitive(entry.directory, relative);
            if (!IsFile(path))
                continue;
            struct stat st {};
            ::stat(path.c_str(), &st);
            if (location) {
                const int handle = FileHandles().Open(path);
                if (handle < 0)
                    continue;
                location->handle = handle;
                location->position = 0;
                location->length = st.st_size;
            } else {
                *file = std::fopen(path.c_str(), "rb");
                if (!*file)
                    continue;
            }
            return st.st_size;
        }

        for (const PackEntry& packed : entry.pack->entries) {
            if (!PackNameMatches(packed.name, name))
                continue;
            if (location) {
                FILE* archive = FileHandles().File(entry.pack->handle);
                if (!archive || std::fseek(archive, long(packed.position), SEEK_SET) != 0)
                    return -1;
                location->handle = entry.pack->handle;
                location->position = packed.position;
                location->length = packed.length;
            } else {
                *file = std::fopen(entry.pack->fileName.c_str(), "rb");
                if (!*file)
                    return -1;
                if (std::fseek(*file, long(packed.position), SEEK_SET) != 0) {
                    std::fclose(*file);
                    *file = nullptr;
                    return -1;
                }
            }
            return packed.length;
        }
    }
    return -1;
}

void CloseLocation(FileLocation& location)
{
    if (location.handle < 0)
        return;
    for (const SearchPathEntry& entry : g_entries)
        if (entry.pack && entry.pack->handle == location.handle) {
            location.handle = -1;
            return;
        }
    FileHandles().Close(location.handle);
    location.handle = -1;
}

std::unique_ptr<char[]> LoadFile(const std::string& name, int64_t* length)
{
    FILE* file = nullptr;
    const int64_t size = COM_FindFile(name, nullptr, &file);
    if (size < 0 || !file)
        return nullptr;
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size_t(size) + 1]);
    if (!buffer) {
        std::fclose(file);
        return nullptr;
    }
    const size_t got = std::fread(buffer.get(), 1, size_t(size), file);
    std::fclose(file);
    if (got != size_t(size))
        return nullptr;
    buffer[size_t(size)] = '\0';
    if (length)
        *length = size;
    return buffer;
}

std::string FindLooseFile(const std::string& name)
{
    InitSearchPath();
    const std::string relative = Normalise(name);
    for (const SearchPathEntry& entry : g_entries) {
        if (entry.pack)
            continue;
        const std::string path = ResolveCaseInsensitive(entry.directory, relative);
        if (IsFile(path))
            return path;
    }
    return Launcher().baseDirectory + "/harrow/" + relative;
}

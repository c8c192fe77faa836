#include "mods/download/SafeFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool IsSafeName(const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || name.size() > kMaxNameBytes)
        return false;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '/' || c == '\\' || u < 32 || u == 127)
            return false;
    }
    return true;
}

bool SplitSafeRelative(const std::string& relative, std::vector<std::string>& parts)
{
    parts.clear();
    if (relative.empty() || relative[0] == '/' || relative[0] == '\\')
        return false;
    if (relative.size() >= 2 && relative[1] == ':')
        return false;
    size_t start = 0;
    while (start < relative.size()) {
        size_t end = relative.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = relative.size();
        const std::string part = relative.substr(start, end - start);
        if (!IsSafeName(part))
            return false;
        parts.push_back(part);
        start = end + 1;
    }
    return !parts.empty();
}

namespace {

bool EnsureFolder(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0)
        return S_ISDIR(st.st_mode);
    if (errno != ENOENT)
        return false;
    if (::mkdir(path.c_str(), 0755) != 0 && errno != EEXIST)
        return false;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

bool MakeFoldersNoFollow(const std::string& root, const std::vector<std::string>& parts, size_t count)
{
    struct stat st {};
    if (::stat(root.c_str(), &st) != 0) {
        if (::mkdir(root.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        if (::stat(root.c_str(), &st) != 0)
            return false;
    }
    if (!S_ISDIR(st.st_mode))
        return false;
    std::string path = root;
    for (size_t i = 0; i < count && i < parts.size(); ++i) {
        path += '/' + parts[i];
        if (!EnsureFolder(path))
            return false;
    }
    return true;
}

PendingFile::~PendingFile()
{
    Discard();
}

bool PendingFile::Open(const std::string& root, const std::string& relative)
{
    Discard();
    std::vector<std::string> parts;
    if (!SplitSafeRelative(relative, parts) || !MakeFoldersNoFollow(root, parts, parts.size() - 1))
        return false;
    std::string folder = root;
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        folder += '/' + parts[i];
    m_final = folder + '/' + parts.back();
    std::string pattern = folder + "/.kestrel-part-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0)
        return false;
    ::fchmod(m_fd, 0644);
    m_temp = name.data();
    m_written = 0;
    return true;
}

bool PendingFile::Write(const void* data, size_t size)
{
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(m_fd, p, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        size -= size_t(n);
        m_written += size_t(n);
    }
    return true;
}

bool PendingFile::Commit()
{
    if (m_fd < 0)
        return false;
    const bool closed = ::close(m_fd) == 0;
    m_fd = -1;
    struct stat st {};
    const bool folder = ::lstat(m_final.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    // rename replaces a symbolic link at the final place itself, never its target.
    if (!closed || folder || ::rename(m_temp.c_str(), m_final.c_str()) != 0) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
        return false;
    }
    m_temp.clear();
    return true;
}

void PendingFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temp.empty()) {
        ::unlink(m_temp.c_str());
        m_temp.clear();
    }
}

bool MoveIntoPlace(const std::string& source, const std::string& root, const std::string& relative)
{
    std::vector<std::string> parts;
    if (!SplitSafeRelative(relative, parts) || !MakeFoldersNoFollow(root, parts, parts.size() - 1))
        return false;
    std::string target = root;
    for (const std::string& part : parts)
        target += '/' + part;
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return false;
    ::chmod(source.c_str(), 0644);
    return ::rename(source.c_str(), target.c_str()) == 0;
}

namespace {

void CollectFiles(const std::string& root, const std::string& prefix, std::vector<std::string>& files)
{
    DIR* dir = ::opendir((prefix.empty() ? root : root + "/" + prefix).c_str());
    if (!dir)
        return;
    std::vector<std::string> folders;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        const std::string relative = prefix.empty() ? entry->d_name : prefix + "/" + entry->d_name;
        struct stat st {};
        if (::lstat((root + "/" + relative).c_str(), &st) != 0)
            continue;
        if (S_ISREG(st.st_mode))
            files.push_back(relative);
        else if (S_ISDIR(st.st_mode))
            folders.push_back(relative);
    }
    ::closedir(dir);
    for (const std::string& folder : folders)
        CollectFiles(root, folder, files);
}

} // namespace

std::vector<std::string> FilesBelowNoFollow(const std::string& root)
{
    std::vector<std::string> files;
    CollectFiles(root, "", files);
    return files;
}

void RemoveTreeNoFollow(const std::string& root)
{
    struct stat st {};
    if (::lstat(root.c_str(), &st) != 0)
        return;
    if (S_ISDIR(st.st_mode)) {
        if (DIR* dir = ::opendir(root.c_str())) {
            std::vector<std::string> names;
            while (const dirent* entry = ::readdir(dir))
                if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
                    names.push_back(entry->d_name);
            ::closedir(dir);
            for (const std::string& name : names)
                RemoveTreeNoFollow(root + "/" + name);
        }
        ::rmdir(root.c_str());
        return;
    }
    ::unlink(root.c_str());
}

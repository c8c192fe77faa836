#pragma once
// Writing files that come from the network below one folder: relative names are
// checked component by component, folders are created without following symbolic
// links, files are written to a temporary beside their final place and renamed into
// it only when complete, and nothing gets the execute bit.
#include <string>
#include <vector>

inline constexpr size_t kMaxNameBytes = 255;

// True for a single name: not empty, not "." or "..", at most 255 bytes, no '/',
// '\\' or control character.
bool IsSafeName(const std::string& name);
// Splits a relative path at '/' and '\\'; false for an absolute path (a leading
// separator or a drive letter), an empty, "." or ".." component, or an unsafe name.
// A trailing separator is allowed (a folder).
bool SplitSafeRelative(const std::string& relative, std::vector<std::string>& parts);
// Creates root/parts[0]/.../parts[count-1], refusing any existing component that is
// a symbolic link or not a folder. root itself must be a folder (it may be created).
bool MakeFoldersNoFollow(const std::string& root, const std::vector<std::string>& parts, size_t count);

// A file being written: created exclusively beside its final place (mode 0644).
class PendingFile
{
public:
    PendingFile() = default;
    ~PendingFile(); // removes the temporary unless committed
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // root/relative is the final place; its folders are created as above.
    bool Open(const std::string& root, const std::string& relative);
    bool Write(const void* data, size_t size);
    // Closes and renames into place; false (and the temporary removed) on failure or
    // when the final place is a folder.
    bool Commit();
    void Discard();
    bool IsOpen() const { return m_fd >= 0; }
    const std::string& FinalPath() const { return m_final; }
    unsigned long long Written() const { return m_written; }

private:
    int m_fd = -1;
    std::string m_temp;
    std::string m_final;
    unsigned long long m_written = 0;
};

// Moves a finished file (a temporary of ours) into root/relative the same way.
bool MoveIntoPlace(const std::string& source, const std::string& root, const std::string& relative);

// The regular files below root, as paths relative to it, by their names' own bytes
// (whatever their encoding); symbolic links are neither listed nor followed.
std::vector<std::string> FilesBelowNoFollow(const std::string& root);
// Removes root and everything below it, by the names' own bytes, without following
// symbolic links.
void RemoveTreeNoFollow(const std::string& root);

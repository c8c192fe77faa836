#pragma once
// The nine read-only file handles the file search hands out (numbered 1 to 9). Each
// archive on the search path keeps one for as long as it is searched. Asking for a
// tenth is a fatal error ("out of handles").
#include <cstdio>
#include <string>

class FileHandleTable
{
public:
    static constexpr int kSlots = 9;

    // Opens the file for binary reading; -1 when it cannot be opened.
    int Open(const std::string& path);
    FILE* File(int handle) const;
    void Close(int handle);
    int InUse() const;
    void CloseAll();

private:
    FILE* m_files[kSlots] = {};
};

FileHandleTable& FileHandles();

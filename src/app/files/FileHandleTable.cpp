#include "app/files/FileHandleTable.h"

#include "app/text/FatalError.h"

int FileHandleTable::Open(const std::string& path)
{
    int slot = -1;
    for (int i = 0; i < kSlots; ++i) {
        if (!m_files[i]) {
            slot = i;
            break;
        }
    }
    if (slot < 0)
        FatalError("out of handles");
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return -1;
    m_files[slot] = file;
    return slot + 1;
}

FILE* FileHandleTable::File(int handle) const
{
    return (handle >= 1 && handle <= kSlots) ? m_files[handle - 1] : nullptr;
}

void FileHandleTable::Close(int handle)
{
    if (handle < 1 || handle > kSlots || !m_files[handle - 1])
        return;
    std::fclose(m_files[handle - 1]);
    m_files[handle - 1] = nullptr;
}

int FileHandleTable::InUse() const
{
    int n = 0;
    for (FILE* f : m_files)
        n += f ? 1 : 0;
    return n;
}

void FileHandleTable::CloseAll()
{
    for (int i = 1; i <= kSlots; ++i)
        Close(i);
}

FileHandleTable& FileHandles()
{
    static FileHandleTable table;
    return table;
}

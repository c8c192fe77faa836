#pragma once
// Builds a "PACK" archive in memory: a 12-byte header ("PACK", directory offset,
// directory length, little-endian), the files' data, then 64-byte directory entries
// (56-byte NUL-terminated name, data position, data length).
#include <QByteArray>
#include <QString>

#include <vector>

class PakWriter
{
public:
    static constexpr int kHeaderSize = 12;
    static constexpr int kEntrySize = 64;
    static constexpr int kNameSize = 56;
    static constexpr int kMaxEntries = 4096;

    // False (and nothing added) when the name does not fit its 55 characters, uses
    // '\' separators, is already present, or the archive is full.
    bool Add(const QString& name, const QByteArray& data);
    int Count() const { return int(m_files.size()); }
    QByteArray Build() const;

private:
    struct File
    {
        QByteArray name;
        QByteArray data;
    };
    std::vector<File> m_files;
};

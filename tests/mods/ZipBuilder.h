#pragma once
// Writes zip archives for the tests with libzip: plain files, folders, links and
// encrypted entries, and patches headers to lie about sizes.
#include <QByteArray>
#include <QString>

#include <string>
#include <vector>

struct ZipItem
{
    std::string name;
    QByteArray data;
    enum Kind
    {
        File,
        Link,
        Encrypted,
        Stored,
        Cp437Name, // a plain file whose name is stored as old archivers do, not as UTF-8
    } kind = File;
};

bool WriteZip(const QString& path, const std::vector<ZipItem>& items);
// Rewrites the uncompressed size in every local and central header (a bomb that lies
// about its size).
bool PatchDeclaredSizes(const QString& path, uint32_t size);
// Flips one byte of the first stored entry's data (a CRC error).
bool CorruptFirstStoredByte(const QString& path, const QByteArray& data);

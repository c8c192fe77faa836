#include "ZipBuilder.h"

#include <QFile>
#include <sys/stat.h>
#include <zip.h>

bool WriteZip(const QString& path, const std::vector<ZipItem>& items)
{
    int error = 0;
    zip_t* archive = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    for (const ZipItem& item : items) {
        zip_source_t* source = zip_source_buffer(archive, item.data.constData(), zip_uint64_t(item.data.size()), 0);
        const zip_int64_t index = zip_file_add(archive, item.name.c_str(), source,
                                                   item.kind == ZipItem::Cp437Name ? ZIP_FL_ENC_CP437 : ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        if (item.kind == ZipItem::Link)
            zip_file_set_external_attributes(archive, zip_uint64_t(index), 0, ZIP_OPSYS_UNIX,
                                             zip_uint32_t(S_IFLNK | 0777) << 16);
        if (item.kind == ZipItem::Encrypted)
            zip_file_set_encryption(archive, zip_uint64_t(index), ZIP_EM_AES_256, "secret");
        if (item.kind == ZipItem::Stored)
            zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_STORE, 0);
    }
    return zip_close(archive) == 0;
}

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

void Put32(QByteArray& bytes, qsizetype at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

} // namespace

bool PatchDeclaredSizes(const QString& path, uint32_t size)
{
    QByteArray bytes = ReadAll(path);
    bool patched = false;
    for (qsizetype i = 0; i + 46 <= bytes.size(); ++i) {
        if (bytes.mid(i, 4) == QByteArray("PK\x03\x04", 4)) {
            Put32(bytes, i + 22, size);
            patched = true;
        } else if (bytes.mid(i, 4) == QByteArray("PK\x01\x02", 4)) {
            Put32(bytes, i + 24, size);
        }
    }
    return patched && WriteAll(path, bytes);
}

bool CorruptFirstStoredByte(const QString& path, const QByteArray& data)
{
    QByteArray bytes = ReadAll(path);
    const qsizetype at = bytes.indexOf(data);
    if (at < 0)
        return false;
    bytes[at] = char(bytes[at] ^ 0x55);
    return WriteAll(path, bytes);
}

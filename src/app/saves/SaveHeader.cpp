#include "app/saves/SaveHeader.h"

#include "app/saves/SaveFileFormat.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <strings.h>
#include <vector>

namespace {

class ByteReader
{
public:
    ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Int32(size_t offset, int32_t& value) const
    {
        if (offset > m_size || m_size - offset < 4)
            return false;
        const uint8_t* p = m_data + offset;
        value = int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
        return true;
    }
    bool Int16(size_t offset, int16_t& value) const
    {
        if (offset > m_size || m_size - offset < 2)
            return false;
        const uint8_t* p = m_data + offset;
        value = int16_t(uint16_t(p[0] | p[1] << 8));
        return true;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
};

struct Field
{
    int token = 0;
    size_t offset = 0;
    size_t length = 0;
};

// The text of a field value: up to its first NUL, at most limit characters.
std::string FieldText(const uint8_t* data, const Field& field, size_t limit)
{
    const char* text = reinterpret_cast<const char*>(data + field.offset);
    const size_t length = strnlen(text, field.length);
    return std::string(text, std::min(length, limit));
}

bool SameName(std::string_view a, const char* b)
{
    return a.size() == std::strlen(b) && strncasecmp(a.data(), b, a.size()) == 0;
}

} // namespace

bool ParseSaveHeader(const uint8_t* data, size_t size, SaveHeader& header)
{
    const ByteReader reader(data, size);
    if (size < kSaveFileHeaderSize || std::memcmp(data, kSaveMagic, sizeof kSaveMagic) != 0)
        return false;
    int32_t version = 0;
    int32_t dataSize = 0;
    int32_t tokenCount = 0;
    int32_t tableSize = 0;
    reader.Int32(4, version);
    reader.Int32(8, dataSize);
    reader.Int32(12, tokenCount);
    reader.Int32(16, tableSize);
    if (version != kSaveVersion || dataSize < 0)
        return false;
    if (tokenCount < 0 || tokenCount > kMaxSaveTokens || tableSize < 0 || tableSize > kMaxSaveTokenTable)
        return false;

    const size_t tableStart = kSaveFileHeaderSize;
    const size_t tableEnd = tableStart + size_t(tableSize);
    if (tableEnd > size || size - tableEnd < size_t(dataSize))
        return false;
    const size_t dataStart = tableEnd;
    const size_t dataEnd = dataStart + size_t(dataSize);
    // Everything below reads through checks against the data's end, not the buffer's.
    const ByteReader dataReader(data, dataEnd);

    // The "GameHeader" record: size and token, then size bytes whose first is the
    // field count, then the fields.
    int16_t recordSize = 0;
    int16_t recordToken = 0;
    if (!dataReader.Int16(dataStart, recordSize) || !dataReader.Int16(dataStart + 2, recordToken))
        return false;
    if (recordSize < 1 || recordToken < 0 || recordToken >= tokenCount)
        return false;
    const size_t countOffset = dataStart + kRecordHeaderSize;
    if (dataEnd - countOffset < size_t(recordSize))
        return false;
    const int fieldCount = data[countOffset];

    std::vector<Field> fields;
    size_t pos = countOffset + size_t(recordSize);
    for (int i = 0; i < fieldCount; ++i) {
        int16_t length = 0;
        int16_t token = 0;
        if (!dataReader.Int16(pos, length) || !dataReader.Int16(pos + 2, token))
            return false;
        if (length < 0 || token < 0 || token >= tokenCount)
            return false;
        pos += kFieldHeaderSize;
        if (dataEnd - pos < size_t(length))
            return false;
        fields.push_back({token, pos, size_t(length)});
        pos += size_t(length);
    }

    // One pass over the token table: it must hold tokenCount NUL-terminated texts, and
    // it names the record and its fields.
    std::vector<int> wanted;
    wanted.push_back(recordToken);
    for (const Field& field : fields)
        wanted.push_back(field.token);
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    std::vector<std::string_view> names(wanted.size());
    size_t cursor = tableStart;
    size_t next = 0;
    for (int32_t i = 0; i < tokenCount; ++i) {
        const void* nul = std::memchr(data + cursor, 0, tableEnd - cursor);
        if (!nul)
            return false;
        const size_t end = size_t(static_cast<const uint8_t*>(nul) - data);
        if (next < wanted.size() && wanted[next] == i)
            names[next++] = std::string_view(reinterpret_cast<const char*>(data + cursor), end - cursor);
        cursor = end + 1;
    }
    auto nameOf = [&](int token) {
        const size_t at = size_t(std::lower_bound(wanted.begin(), wanted.end(), token) - wanted.begin());
        return names[at];
    };

    if (!SameName(nameOf(recordToken), kGameHeaderRecord))
        return false;
    SaveHeader result;
    for (const Field& field : fields) {
        const std::string_view name = nameOf(field.token);
        if (SameName(name, kCommentField))
            result.comment = FieldText(data, field, kMaxSaveComment);
        else if (SameName(name, kMapNameField))
            result.mapName = FieldText(data, field, kMaxSaveMapName);
    }
    if (result.mapName.empty() || result.comment.empty())
        return false;
    result.payloadOffset = pos;
    result.payloadSize = dataEnd - pos;
    header = std::move(result);
    return true;
}

bool ReadSaveHeader(const std::string& path, SaveHeader& header)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSaveFileBytes)
        return false;
    const QByteArray bytes = file.read(kMaxSaveFileBytes);
    return ParseSaveHeader(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()), header);
}

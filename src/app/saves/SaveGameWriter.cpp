#include "app/saves/SaveGameWriter.h"

#include "app/saves/SaveFileFormat.h"
#include "app/saves/SaveHeader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

constexpr size_t kCommentTitleWidth = kMaxSaveComment - kSaveTimeLength - 1;
constexpr int kMaxMinutes = 99;
constexpr const char* kTimeField = "time";

// Token slots; the empty slot is written as a single NUL like any unused slot.
enum Token : int16_t
{
    kTokenGameHeader,
    kTokenComment,
    kTokenMapName,
    kTokenUnused,
    kTokenTime,
};
const char* const kTokens[] = {kGameHeaderRecord, kCommentField, kMapNameField, "", kTimeField};

void PutInt32(std::string& out, int32_t value)
{
    const uint32_t v = uint32_t(value);
    const char bytes[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char(v >> 24)};
    out.append(bytes, 4);
}

void PutInt16(std::string& out, int16_t value)
{
    const uint16_t v = uint16_t(value);
    const char bytes[2] = {char(v & 0xFF), char(v >> 8)};
    out.append(bytes, 2);
}

void PutField(std::string& out, Token token, const std::string& value)
{
    PutInt16(out, int16_t(value.size()));
    PutInt16(out, token);
    out += value;
}

std::string TextValue(const std::string& text)
{
    return std::string(text.c_str()) + '\0'; // stops at an embedded NUL, ends with one
}

} // namespace

std::string SaveComment(const std::string& title, int elapsedSeconds)
{
    if (elapsedSeconds < 0)
        elapsedSeconds = 0;
    int minutes = elapsedSeconds / 60;
    int seconds = elapsedSeconds % 60;
    if (minutes > kMaxMinutes) {
        minutes = kMaxMinutes;
        seconds = 59;
    }
    std::string comment = title.substr(0, kCommentTitleWidth);
    comment.resize(kCommentTitleWidth, ' ');
    char time[8];
    std::snprintf(time, sizeof time, " %02d:%02d", minutes, seconds);
    return comment + time;
}

std::string BuildSaveFile(const SaveGameInfo& info)
{
    const std::string mapName = TextValue(info.mapName);
    const std::string comment = TextValue(info.comment.substr(0, kMaxSaveComment));
    if (mapName.size() <= 1 || comment.size() <= 1 || mapName.size() - 1 > kMaxSaveMapName)
        return {};

    std::string table;
    for (const char* token : kTokens)
        table.append(token, std::strlen(token) + 1);

    std::string data;
    PutInt16(data, 4); // the record's own bytes: its field count
    PutInt16(data, kTokenGameHeader);
    PutInt32(data, 3);
    PutField(data, kTokenComment, comment);
    float elapsed = info.elapsedSeconds;
    std::string timeValue(sizeof elapsed, '\0');
    std::memcpy(timeValue.data(), &elapsed, sizeof elapsed);
    PutField(data, kTokenTime, timeValue);
    PutField(data, kTokenMapName, mapName);
    if (info.payload.size() > size_t(INT32_MAX) - data.size())
        return {};
    data += info.payload;
    if (int64_t(kSaveFileHeaderSize + table.size() + data.size()) > kMaxSaveFileBytes)
        return {};

    std::string file(kSaveMagic, sizeof kSaveMagic);
    PutInt32(file, kSaveVersion);
    PutInt32(file, int32_t(data.size()));
    PutInt32(file, int32_t(std::size(kTokens)));
    PutInt32(file, int32_t(table.size()));
    return file + table + data;
}

bool WriteSaveGame(const std::string& path, const SaveGameInfo& info)
{
    const std::string bytes = BuildSaveFile(info);
    if (bytes.empty())
        return false;
    const QString file = QString::fromStdString(path);
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

bool ReadSaveGame(const std::string& path, SaveGameInfo& info)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxSaveFileBytes)
        return false;
    const QByteArray bytes = file.read(kMaxSaveFileBytes);
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    SaveHeader header;
    if (!ParseSaveHeader(data, size_t(bytes.size()), header))
        return false;
    info.mapName = header.mapName;
    info.comment = header.comment;
    info.payload.assign(reinterpret_cast<const char*>(data + header.payloadOffset), header.payloadSize);
    return true;
}

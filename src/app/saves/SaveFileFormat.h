#pragma once
// Layout constants of the engine's save files, shared by the reader and the writer.
#include <cstddef>
#include <cstdint>

inline constexpr char kSaveMagic[4] = {'J', 'S', 'A', 'V'};
inline constexpr int32_t kSaveVersion = 113;
inline constexpr size_t kSaveFileHeaderSize = 20; // magic, version, data size, token count, table size
inline constexpr int32_t kMaxSaveTokens = 33554432;
inline constexpr int32_t kMaxSaveTokenTable = 33554432;
// Files larger than this are not save files the launcher lists.
inline constexpr int64_t kMaxSaveFileBytes = 64 * 1024 * 1024;

inline constexpr size_t kRecordHeaderSize = 4; // short size, short token index
inline constexpr size_t kFieldHeaderSize = 4;  // short length, short token index

inline constexpr const char* kGameHeaderRecord = "GameHeader";
inline constexpr const char* kCommentField = "comment";
inline constexpr const char* kMapNameField = "mapName";

inline constexpr size_t kMaxSaveMapName = 31;
inline constexpr size_t kMaxSaveComment = 79;
inline constexpr size_t kSaveTimeLength = 5; // the comment ends with the elapsed time "mm:ss"

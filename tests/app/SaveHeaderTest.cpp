// Reading save file headers: what is accepted, and that nothing outside the file is read.
#include "app/saves/SaveHeader.h"
#include "app/saves/SaveFileFormat.h"
#include "app/saves/SaveGameWriter.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A hand-made save file, for layouts the writer never produces.
struct CraftedSave
{
    struct Field
    {
        int16_t token;
        std::string value;
        int16_t length = -1; // -1: the value's size
    };
    int32_t version = kSaveVersion;
    std::vector<std::string> tokens{"GameHeader", "comment", "mapName", "extra"};
    int32_t tokenCountDelta = 0;
    int32_t dataSizeDelta = 0;
    int16_t recordSize = 4;
    int16_t recordToken = 0;
    std::vector<Field> fields{{1, std::string("A title") + '\0'}, {3, "xyz"}, {2, std::string("c1a0") + '\0'}};

    static void Int32(std::string& out, int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out += char((uint32_t(v) >> (8 * i)) & 0xFF);
    }
    static void Int16(std::string& out, int16_t v)
    {
        out += char(uint16_t(v) & 0xFF);
        out += char(uint16_t(v) >> 8);
    }

    std::string Bytes() const
    {
        std::string table;
        for (const std::string& token : tokens)
            table += token + '\0';
        std::string data;
        Int16(data, recordSize);
        Int16(data, recordToken);
        Int32(data, int32_t(fields.size()));
        data.resize(kRecordHeaderSize + size_t(recordSize < 0 ? 0 : recordSize), '\0');
        data[kRecordHeaderSize] = char(fields.size());
        for (const Field& field : fields) {
            Int16(data, field.length != -1 ? field.length : int16_t(field.value.size()));
            Int16(data, field.token);
            data += field.value;
        }
        std::string file = "JSAV";
        Int32(file, version);
        Int32(file, int32_t(data.size()) + dataSizeDelta);
        Int32(file, int32_t(tokens.size()) + tokenCountDelta);
        Int32(file, int32_t(table.size()));
        return file + table + data;
    }
};

bool Parse(const std::string& bytes, SaveHeader& header)
{
    // A private copy, so that AddressSanitizer sees any read past the end.
    std::vector<uint8_t> copy(bytes.begin(), bytes.end());
    return ParseSaveHeader(copy.data(), copy.size(), header);
}

bool Parses(const std::string& bytes)
{
    SaveHeader header;
    return Parse(bytes, header);
}

void PutInt32At(std::string& bytes, size_t offset, int32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + size_t(i)] = char((uint32_t(value) >> (8 * i)) & 0xFF);
}

TEST(SaveHeaderTest, CraftedFileGivesMapAndComment)
{
    SaveHeader header;
    ASSERT_TRUE(Parse(CraftedSave{}.Bytes(), header));
    EXPECT_EQ(header.mapName, "c1a0");
    EXPECT_EQ(header.comment, "A title");
    EXPECT_EQ(header.payloadSize, 0u);
}

TEST(SaveHeaderTest, WriterOutputReadsBack)
{
    SaveGameInfo info;
    info.mapName = "dm_canyon";
    info.comment = SaveComment("Canyon run", 754);
    info.payload = "state";
    const std::string bytes = BuildSaveFile(info);
    SaveHeader header;
    ASSERT_TRUE(Parse(bytes, header));
    EXPECT_EQ(header.mapName, "dm_canyon");
    EXPECT_EQ(header.comment, info.comment);
    EXPECT_EQ(bytes.substr(header.payloadOffset, header.payloadSize), "state");
}

TEST(SaveHeaderTest, MagicAndVersionMustMatch)
{
    SaveGameInfo info{"map", "comment", 0, {}};
    std::string bytes = BuildSaveFile(info);
    ASSERT_TRUE(Parses(bytes));
    std::string wrongMagic = bytes;
    wrongMagic[0] = 'K';
    EXPECT_FALSE(Parses(wrongMagic));
    PutInt32At(bytes, 4, 112);
    EXPECT_FALSE(Parses(bytes));
    PutInt32At(bytes, 4, 114);
    EXPECT_FALSE(Parses(bytes));
}

TEST(SaveHeaderTest, SizeLimits)
{
    const std::string good = BuildSaveFile({"map", "comment", 0, {}});
    for (size_t offset : {size_t(8), size_t(12), size_t(16)}) {
        std::string bytes = good;
        PutInt32At(bytes, offset, -1);
        EXPECT_FALSE(Parses(bytes)) << offset;
    }
    std::string tooManyTokens = good;
    PutInt32At(tooManyTokens, 12, kMaxSaveTokens + 1);
    EXPECT_FALSE(Parses(tooManyTokens));
    std::string tableTooLarge = good;
    PutInt32At(tableTooLarge, 16, kMaxSaveTokenTable + 1);
    EXPECT_FALSE(Parses(tableTooLarge));
}

TEST(SaveHeaderTest, SizesPointingPastTheFileAreRefused)
{
    const std::string good = BuildSaveFile({"map", "comment", 0, "payload"});
    EXPECT_FALSE(Parses(good.substr(0, good.size() - 1))) << "data shorter than its size";
    EXPECT_FALSE(Parses(good.substr(0, 19)));
    std::string bigTable = good;
    PutInt32At(bigTable, 16, int32_t(good.size()));
    EXPECT_FALSE(Parses(bigTable));

    CraftedSave longData;
    longData.dataSizeDelta = 1;
    EXPECT_FALSE(Parses(longData.Bytes()));
}

TEST(SaveHeaderTest, TokenIndexesMustNameTableEntries)
{
    CraftedSave badRecord;
    badRecord.recordToken = 4;
    EXPECT_FALSE(Parses(badRecord.Bytes()));
    badRecord.recordToken = -1;
    EXPECT_FALSE(Parses(badRecord.Bytes()));

    CraftedSave badField;
    badField.fields[1].token = 9;
    EXPECT_FALSE(Parses(badField.Bytes()));

    CraftedSave missingTexts;
    missingTexts.tokenCountDelta = 1; // the table holds one text fewer than counted
    EXPECT_FALSE(Parses(missingTexts.Bytes()));
}

TEST(SaveHeaderTest, RecordAndFieldLengthsMustStayInside)
{
    CraftedSave longField;
    longField.fields.back().length = 100;
    EXPECT_FALSE(Parses(longField.Bytes()));

    CraftedSave negativeField;
    negativeField.fields[1].length = -2;
    EXPECT_FALSE(Parses(negativeField.Bytes()));

    CraftedSave emptyRecord;
    emptyRecord.recordSize = 0;
    EXPECT_FALSE(Parses(emptyRecord.Bytes()));

    // The record runs past the declared data, though not past the buffer.
    CraftedSave hugeRecord;
    hugeRecord.recordSize = 30000;
    ASSERT_TRUE(Parses(hugeRecord.Bytes()));
    hugeRecord.dataSizeDelta = -29000;
    EXPECT_FALSE(Parses(hugeRecord.Bytes()));

    CraftedSave fieldPastData;
    fieldPastData.dataSizeDelta = -2;
    EXPECT_FALSE(Parses(fieldPastData.Bytes()));
}

TEST(SaveHeaderTest, RecordMustBeGameHeader)
{
    CraftedSave other;
    other.tokens[0] = "EntityTable";
    EXPECT_FALSE(Parses(other.Bytes()));
    CraftedSave upper;
    upper.tokens[0] = "GAMEHEADER";
    upper.tokens[2] = "MAPNAME";
    SaveHeader header;
    ASSERT_TRUE(Parse(upper.Bytes(), header));
    EXPECT_EQ(header.mapName, "c1a0");
}

TEST(SaveHeaderTest, MapNameAndCommentMustNotBeEmpty)
{
    CraftedSave noMap;
    noMap.fields.pop_back();
    EXPECT_FALSE(Parses(noMap.Bytes()));
    CraftedSave emptyComment;
    emptyComment.fields[0].value = std::string(1, '\0');
    EXPECT_FALSE(Parses(emptyComment.Bytes()));
}

TEST(SaveHeaderTest, LongTextsAreCut)
{
    CraftedSave longTexts;
    longTexts.fields[0].value = std::string(200, 'c');
    longTexts.fields[2].value = std::string(50, 'm'); // no terminating NUL
    SaveHeader header;
    ASSERT_TRUE(Parse(longTexts.Bytes(), header));
    EXPECT_EQ(header.comment.size(), kMaxSaveComment);
    EXPECT_EQ(header.mapName.size(), kMaxSaveMapName);
}

TEST(SaveHeaderTest, EmptyTokenSlotsCount)
{
    CraftedSave tokenSlots;
    tokenSlots.tokens = {"", "GameHeader", "", "comment", "mapName"};
    tokenSlots.recordToken = 1;
    tokenSlots.fields = {{3, "words 00:10"}, {4, "c2a1"}};
    SaveHeader header;
    ASSERT_TRUE(Parse(tokenSlots.Bytes(), header));
    EXPECT_EQ(header.comment, "words 00:10");
    EXPECT_EQ(header.mapName, "c2a1");
}

TEST(SaveHeaderTest, FileReader)
{
    TempTree tree;
    ASSERT_TRUE(WriteSaveGame(tree.PathStd() + "/SAVE/a.sav", {"map", "comment", 0, {}}));
    SaveHeader header;
    EXPECT_TRUE(ReadSaveHeader(tree.PathStd() + "/SAVE/a.sav", header));
    EXPECT_EQ(header.mapName, "map");
    EXPECT_FALSE(ReadSaveHeader(tree.PathStd() + "/SAVE/missing.sav", header));
}

TEST(SaveGameWriterTest, RefusesWhatCannotBeRead)
{
    EXPECT_TRUE(BuildSaveFile({"", "comment", 0, {}}).empty());
    EXPECT_TRUE(BuildSaveFile({"map", "", 0, {}}).empty());
    EXPECT_TRUE(BuildSaveFile({std::string(32, 'm'), "comment", 0, {}}).empty());
    EXPECT_FALSE(BuildSaveFile({std::string(31, 'm'), "comment", 0, {}}).empty());
    TempTree tree;
    EXPECT_FALSE(WriteSaveGame(tree.PathStd() + "/x.sav", {"", "c", 0, {}}));
    EXPECT_FALSE(tree.Exists("x.sav"));
}

TEST(SaveGameWriterTest, CommentCarriesTitleAndTime)
{
    const std::string comment = SaveComment("Canyon run", 754);
    EXPECT_EQ(comment.size(), kMaxSaveComment);
    EXPECT_EQ(comment.substr(0, 10), "Canyon run");
    EXPECT_EQ(comment.substr(comment.size() - 6), " 12:34");
    EXPECT_EQ(SaveComment("t", 100 * 3600).substr(kMaxSaveComment - 5), "99:59");
    EXPECT_EQ(SaveComment(std::string(100, 'x'), -5).substr(kMaxSaveComment - 6), " 00:00");
}

TEST(SaveGameWriterTest, WriteAndReadBackPayload)
{
    TempTree tree;
    SaveGameInfo info{"c1a0", SaveComment("Start", 5), 5.0f, std::string("bin\0ary", 7)};
    ASSERT_TRUE(WriteSaveGame(tree.PathStd() + "/SAVE/deep/one.sav", info));
    SaveGameInfo back;
    ASSERT_TRUE(ReadSaveGame(tree.PathStd() + "/SAVE/deep/one.sav", back));
    EXPECT_EQ(back.mapName, "c1a0");
    EXPECT_EQ(back.comment, info.comment);
    EXPECT_EQ(back.payload, info.payload);
    // Overwriting replaces the whole file.
    info.payload.clear();
    ASSERT_TRUE(WriteSaveGame(tree.PathStd() + "/SAVE/deep/one.sav", info));
    ASSERT_TRUE(ReadSaveGame(tree.PathStd() + "/SAVE/deep/one.sav", back));
    EXPECT_TRUE(back.payload.empty());
}

} // namespace

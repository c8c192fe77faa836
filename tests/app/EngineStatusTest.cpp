#include "app/engine/EngineStatus.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

void PutWord(uint8_t* record, size_t offset, int32_t value)
{
    std::memcpy(record + offset, &value, sizeof value);
}

} // namespace

TEST(EngineStatusRecord, ReadsTheNamedFields)
{
    uint8_t record[kEngineStatusRecordBytes] = {};
    PutWord(record, 8, 16);
    PutWord(record, 44, 1);
    record[48] = 127;
    record[49] = 0;
    record[50] = 0;
    record[51] = 1;
    std::strcpy(reinterpret_cast<char*>(record + 54), "Connection refused: BADPASSWORD");
    PutWord(record, 312, 5);
    PutWord(record, 316, 7);

    const EngineStatus status = ReadEngineStatus(record);
    EXPECT_EQ(status.maxClients, 16);
    EXPECT_EQ(status.localServer, 1);
    EXPECT_EQ(status.address, (std::array<uint8_t, 4>{127, 0, 0, 1}));
    EXPECT_EQ(status.text, "Connection refused: BADPASSWORD");
    EXPECT_EQ(status.connectionState, 5);
    EXPECT_EQ(status.active, 7);
    EXPECT_TRUE(status.Playing());
}

TEST(EngineStatusRecord, TextWithoutNulEndsAtTheRecordEnd)
{
    // Exactly the record's size on the heap, so a read past its end is caught.
    auto record = std::make_unique<uint8_t[]>(kEngineStatusRecordBytes);
    std::memset(record.get(), 'x', kEngineStatusRecordBytes);
    const EngineStatus status =
        ReadEngineStatus(*reinterpret_cast<const uint8_t(*)[kEngineStatusRecordBytes]>(record.get()));
    EXPECT_EQ(status.text.size(), kEngineStatusRecordBytes - 54);
}

TEST(EngineStatusRecord, MultiplayerGameRules)
{
    EngineStatus status;
    status.connectionState = kConnectionNone;
    EXPECT_FALSE(status.InMultiplayerGame());
    status.connectionState = kConnectionNegotiating;
    EXPECT_TRUE(status.InMultiplayerGame());

    // A local server counts by its player count, whatever the connection says.
    status.localServer = 1;
    status.maxClients = 1;
    EXPECT_FALSE(status.InMultiplayerGame());
    status.maxClients = 2;
    status.connectionState = kConnectionNone;
    EXPECT_TRUE(status.InMultiplayerGame());
}

TEST(EngineStatusRecord, PlayingNeedsStateFiveAndTheActiveWord)
{
    EngineStatus status;
    status.connectionState = kConnectionPlaying;
    EXPECT_FALSE(status.Playing());
    status.active = 1;
    EXPECT_TRUE(status.Playing());
    status.connectionState = kConnectionNegotiating;
    EXPECT_FALSE(status.Playing());
}

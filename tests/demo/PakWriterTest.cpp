// Archive and map building, checked with the launcher's own readers.
#include "demo/PakWriter.h"
#include "app/files/MapList.h"
#include "app/files/PackFile.h"
#include "demo/MapWriter.h"
#include "demo/TreeWriter.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

const uint8_t* Bytes(const QByteArray& b)
{
    return reinterpret_cast<const uint8_t*>(b.constData());
}

} // namespace

TEST(PakWriter, DirectoryDescribesEveryFile)
{
    PakWriter pak;
    ASSERT_TRUE(pak.Add("maps/a.bsp", QByteArray(5, 'a')));
    ASSERT_TRUE(pak.Add("gfx/x.bmp", QByteArray(70, 'x')));
    ASSERT_TRUE(pak.Add("empty.txt", QByteArray()));
    const QByteArray bytes = pak.Build();

    const auto header = ParsePackHeader(Bytes(bytes), size_t(bytes.size()), bytes.size());
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->entryCount, 3u);
    EXPECT_EQ(header->directoryOffset + header->directoryLength, bytes.size());
    const auto entries = ParsePackDirectory(Bytes(bytes) + header->directoryOffset, size_t(header->directoryLength),
                                            bytes.size());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "maps/a.bsp");
    EXPECT_EQ(bytes.mid(entries[0].position, entries[0].length), QByteArray(5, 'a'));
    EXPECT_EQ(bytes.mid(entries[1].position, entries[1].length), QByteArray(70, 'x'));
    EXPECT_EQ(entries[1].position % 4, 0);
    EXPECT_EQ(entries[2].length, 0);
}

TEST(PakWriter, RefusesNamesTheFormatCannotHold)
{
    PakWriter pak;
    EXPECT_TRUE(pak.Add(QString(55, 'n'), "x"));
    EXPECT_FALSE(pak.Add(QString(56, 'n'), "x")) << "no room for the terminating NUL";
    EXPECT_FALSE(pak.Add("maps\\b.bsp", "x"));
    EXPECT_FALSE(pak.Add("", "x"));
    EXPECT_TRUE(pak.Add("maps/b.bsp", "x"));
    EXPECT_FALSE(pak.Add("MAPS/B.BSP", "y")) << "the search ignores case, so this would be hidden";
    EXPECT_EQ(pak.Count(), 2);
}

TEST(PakWriter, EmptyArchiveIsStillAnArchive)
{
    const QByteArray bytes = PakWriter().Build();
    EXPECT_EQ(bytes.size(), PakWriter::kHeaderSize);
    const auto header = ParsePackHeader(Bytes(bytes), size_t(bytes.size()), bytes.size());
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->entryCount, 0u);
}

TEST(MapWriter, HeaderPointsAtTheEntityText)
{
    DemoMap map{"t", "Test Title", "sky", true, {{"info_player_deathmatch", {1, 2, 3}, 90}}};
    const QByteArray bytes = MapWriter::Build(map);
    const MapHeaderCheck check = CheckMapHeader(Bytes(bytes), size_t(bytes.size()), bytes.size());
    ASSERT_TRUE(check.usable);
    EXPECT_EQ(check.entityOffset, MapWriter::kHeaderSize);
    const QByteArray text = bytes.mid(check.entityOffset, check.entityLength);
    EXPECT_TRUE(text.startsWith(MapWriter::EntityText(map)));
    EXPECT_TRUE(text.contains("\"origin\" \"1 2 3\""));
    EXPECT_TRUE(text.contains("\"angle\" \"90\""));
    // Every other lump lies inside the file.
    for (int lump = 1; lump < MapWriter::kLumpCount; ++lump) {
        const uint32_t offset = ReadLittle32(Bytes(bytes) + 4 + lump * 8);
        const uint32_t length = ReadLittle32(Bytes(bytes) + 8 + lump * 8);
        EXPECT_LE(offset + length, uint32_t(bytes.size())) << lump;
    }
}

TEST(TreeWriter, ReportsAFolderThatCannotBeCreated)
{
    TempTree tree;
    tree.Write("blocked", "a file where a folder should go");
    TreeWriter writer(tree.Path());
    EXPECT_FALSE(writer.WriteBytes("blocked/inner/file.txt", "x"));
    EXPECT_FALSE(writer.Error().isEmpty());
    EXPECT_TRUE(writer.WriteLines("ok/list.txt", {"a", "b"}));
    EXPECT_EQ(tree.Read("ok/list.txt"), QByteArray("a\r\nb\r\n"));
}

TEST(TreeWriter, BitmapsAreTwentyFourBitWithoutAlpha)
{
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30, 128));
    const QByteArray bytes = EncodeBitmap(image);
    ASSERT_TRUE(bytes.startsWith("BM"));
    EXPECT_EQ(uint8_t(bytes[28]), 24);
}

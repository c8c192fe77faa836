// The OpenGL driver map file.
#include "app/video/DriverMap.h"
#include "support/TempTree.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(DriverMapTest, LinesGiveLibraryAndDescription)
{
    const auto choices =
        ParseDriverMap("mesa.so Mesa software\r\n\r\n3dfxgl.dll 3Dfx Voodoo\n no library\nlonely.so\n");
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].library, "mesa.so");
    EXPECT_EQ(choices[0].description, "Mesa software");
    EXPECT_EQ(choices[1].library, "3dfxgl.dll");
    EXPECT_EQ(choices[1].description, "3Dfx Voodoo");
    EXPECT_EQ(choices[2].library, "lonely.so");
    EXPECT_EQ(choices[2].description, "");
}

TEST(DriverMapTest, LongTextsAndManyLinesAreBounded)
{
    std::string text = std::string(1000, 'a') + " " + std::string(1000, 'b') + "\n";
    for (int i = 0; i < 1000; ++i)
        text += "x.so X\n";
    const auto choices = ParseDriverMap(text);
    ASSERT_EQ(choices.size(), kMaxDriverChoices);
    EXPECT_EQ(choices[0].library.size(), kMaxDriverLibrary);
    EXPECT_EQ(choices[0].description.size(), kMaxDriverDescription);
}

class DriverMapFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = QDir::currentPath();
        QDir::setCurrent(m_tree.Path());
    }
    void TearDown() override { QDir::setCurrent(m_previous); }
    TempTree m_tree;
    QString m_previous;
};

TEST_F(DriverMapFileTest, MissingFileGivesDefault)
{
    const auto choices = LoadDriverMap();
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].library, "Default");
    EXPECT_EQ(choices[0].description, "Default");
}

TEST_F(DriverMapFileTest, FileFromWorkingDirectory)
{
    m_tree.Write("gldrv/drvmap.txt", "a.so First\nb.so Second\n");
    const auto choices = LoadDriverMap();
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[1].library, "b.so");
}

TEST_F(DriverMapFileTest, EmptyFileGivesDefault)
{
    m_tree.Write("gldrv/drvmap.txt", "\r\n\n");
    const auto choices = LoadDriverMap();
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].library, "Default");
}

} // namespace

// Listing the save folder, the entry texts and the next free save name.
#include "app/saves/SavedGameList.h"
#include "app/saves/SaveGameWriter.h"
#include "support/TempTree.h"

#include <QDateTime>
#include <QFile>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <ctime>

namespace {

class SavedGameListTest : public ::testing::Test
{
protected:
    std::string Folder() const { return m_tree.PathStd() + "/SAVE/"; }
    void Save(const std::string& name, const std::string& comment, const std::string& map = "c1a0",
              qint64 secondsAgo = 0)
    {
        ASSERT_TRUE(WriteSaveGame(Folder() + name, {map, comment, 0, {}}));
        if (secondsAgo) {
            QFile file(QString::fromStdString(Folder() + name));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(
                file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
        }
    }
    std::vector<std::string> Names(const SaveGameListing& listing) const
    {
        std::vector<std::string> names;
        for (const SaveGameEntry& entry : listing.entries)
            names.push_back(entry.fileName);
        return names;
    }

    TempTree m_tree;
};

TEST_F(SavedGameListTest, ModeSwitchSavesAreSkipped)
{
    Save("KSSave.sav", "Mode Switch 00:01");
    Save("kssave_old.sav", "Mode Switch 00:01");
    Save("mine.sav", "Mine 00:01");
    const SaveGameListing listing = ListSavedGames(Folder());
    EXPECT_EQ(Names(listing), std::vector<std::string>{"mine.sav"});
    EXPECT_FALSE(listing.moreFilesThanCounted);
}

TEST_F(SavedGameListTest, NewestFirst)
{
    Save("old.sav", "Old 00:01", "c1a0", 3600);
    Save("new.sav", "New 00:01", "c1a0", 10);
    Save("middle.sav", "Middle 00:01", "c1a0", 600);
    EXPECT_EQ(Names(ListSavedGames(Folder())), (std::vector<std::string>{"new.sav", "middle.sav", "old.sav"}));
}

TEST_F(SavedGameListTest, InvalidAndForeignFilesAreDropped)
{
    Save("good.sav", "Good 00:01");
    std::string old = BuildSaveFile({"c1a0", "Old version 00:01", 0, {}});
    old[4] = char(112);
    m_tree.Write("SAVE/old.sav", QByteArray(old.data(), qsizetype(old.size())));
    const std::string full = BuildSaveFile({"c1a0", "Cut 00:01", 0, "payload"});
    m_tree.Write("SAVE/cut.sav", QByteArray(full.data(), qsizetype(full.size() - 3)));
    m_tree.Write("SAVE/notes.txt", QByteArray(full.data(), qsizetype(full.size())));
    m_tree.Write("SAVE/empty.sav", QByteArray());
    EXPECT_EQ(Names(ListSavedGames(Folder())), std::vector<std::string>{"good.sav"});
}

TEST_F(SavedGameListTest, NamesThatWouldBreakCommandsAreNotListed)
{
    Save("a;quit.sav", "Bad 00:01");
    Save("line\nbreak.sav", "Bad 00:01");
    Save("quote\".sav", "Bad 00:01");
    Save("Fine One.SAV", "Fine 00:01");
    EXPECT_EQ(Names(ListSavedGames(Folder())), std::vector<std::string>{"Fine One.SAV"});
}

TEST_F(SavedGameListTest, EntryTexts)
{
    Save("quick.sav", "Word      12:34", "dm_rust");
    Save("autosave1.sav", "abc");
    const SaveGameListing listing = ListSavedGames(Folder());
    ASSERT_EQ(listing.entries.size(), 2u);
    for (const SaveGameEntry& entry : listing.entries) {
        if (entry.fileName == "quick.sav") {
            EXPECT_EQ(entry.title, "Word");
            EXPECT_EQ(entry.elapsedText, "12:34");
            EXPECT_EQ(entry.mapName, "dm_rust");
            EXPECT_TRUE(entry.quick);
            EXPECT_FALSE(entry.autosave);
        } else {
            EXPECT_EQ(entry.title, "abc");
            EXPECT_EQ(entry.elapsedText, "??");
            EXPECT_TRUE(entry.autosave);
            EXPECT_FALSE(entry.quick);
        }
        EXPECT_NE(entry.dateText, "??");
        EXPECT_GT(entry.fileTime, 0);
    }
}

TEST_F(SavedGameListTest, MissingFolderListsNothing)
{
    EXPECT_TRUE(ListSavedGames(m_tree.PathStd() + "/nowhere/").entries.empty());
}

TEST(SaveEntryTextTest, CommentSplit)
{
    std::string title;
    std::string time;
    SplitSaveComment("12345", title, time);
    EXPECT_EQ(title, "12345");
    EXPECT_EQ(time, "??");
    SplitSaveComment("x12345", title, time);
    EXPECT_EQ(title, "x");
    EXPECT_EQ(time, "12345");
    SplitSaveComment("ab  ", title, time);
    EXPECT_EQ(title, "ab");
    EXPECT_EQ(time, "??");
}

TEST(SaveEntryTextTest, DateText)
{
    EXPECT_EQ(SaveDateText(std::nullopt), "??");
    const std::string previousLocale = std::setlocale(LC_TIME, nullptr);
    const char* previousTz = std::getenv("TZ");
    const std::string savedTz = previousTz ? previousTz : "";
    setenv("TZ", "UTC", 1);
    tzset();
    std::setlocale(LC_TIME, "C");
    EXPECT_EQ(SaveDateText(std::time_t(1709647620)), "Mar 05, 02:07 PM"); // 2024-03-05 14:07 UTC
    EXPECT_EQ(SaveDateText(std::time_t(1709600000)), "Mar 05, 12:53 AM");
    std::setlocale(LC_TIME, previousLocale.c_str());
    if (previousTz)
        setenv("TZ", savedTz.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

class NextFreeSaveNameTest : public ::testing::Test
{
protected:
    void Touch(int number) { m_tree.Write("SAVE/" + QString::fromStdString(NumberedSaveName(number)), "x"); }
    std::string Folder() const { return m_tree.PathStd() + "/SAVE/"; }
    TempTree m_tree;
};

TEST_F(NextFreeSaveNameTest, FirstNumberAfterTheRun)
{
    EXPECT_EQ(NextFreeSaveName(Folder()), 0);
    for (int n = 0; n <= 4; ++n)
        Touch(n);
    EXPECT_EQ(NextFreeSaveName(Folder()), 5);
    EXPECT_EQ(NumberedSaveName(5), "Kestrel-005.sav");
}

TEST_F(NextFreeSaveNameTest, GapIsFilledFirst)
{
    for (int n : {0, 1, 3, 4})
        Touch(n);
    EXPECT_EQ(NextFreeSaveName(Folder()), 2);
    EXPECT_EQ(NextFreeSaveName(m_tree.PathStd() + "/SAVE"), 2) << "folder without a trailing slash";
}

TEST_F(NextFreeSaveNameTest, AllTakenGivesZero)
{
    for (int n = 0; n <= kMaxSaveNumber; ++n)
        Touch(n);
    EXPECT_EQ(NextFreeSaveName(Folder()), 0);
}

} // namespace

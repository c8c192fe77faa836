// favsvrs.dat: records survive a save and a load, and a damaged file costs the
// player only the damaged record.
#include "browser/record/FavoriteServersFile.h"
#include "RecordingPrompt.h"
#include "browser/record/DamagedListDecision.h"
#include "support/CommaLocale.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <QFile>

namespace {

std::unique_ptr<CServerInfo> Server(const std::string& address, const std::string& name)
{
    auto r = std::make_unique<CServerInfo>(address, 27015);
    r->name = name;
    r->AddRule("sv_gravity", "800");
    return r;
}

std::vector<const CServerInfo*> View(const std::vector<std::unique_ptr<CServerInfo>>& list)
{
    std::vector<const CServerInfo*> v;
    for (const auto& r : list)
        v.push_back(r.get());
    return v;
}

std::vector<std::string> Names(const FavoriteServersFile::LoadResult& result)
{
    std::vector<std::string> names;
    for (const auto& r : result.servers)
        names.push_back(r->name);
    return names;
}

// Three records in file order a, b, c.
std::string ThreeRecords()
{
    std::vector<std::unique_ptr<CServerInfo>> list;
    list.push_back(Server("1.1.1.1", "a"));
    list.push_back(Server("2.2.2.2", "b"));
    list.push_back(Server("3.3.3.3", "c"));
    return FavoriteServersFile::Format(View(list));
}

TEST(FavoriteServersFile, SaveAndLoadKeepEveryRecordInListOrder)
{
    TempTree tree;
    std::vector<std::unique_ptr<CServerInfo>> list;
    list.push_back(Server("1.1.1.1", "a"));
    list.push_back(Server("2.2.2.2", "b"));
    const QString path = tree.Abs("favsvrs.dat");
    ASSERT_TRUE(FavoriteServersFile::Save(path, View(list)));
    const QByteArray bytes = tree.Read("favsvrs.dat");
    EXPECT_TRUE(bytes.startsWith("{\r\n\tserver\r\n\t{\r\n"));
    EXPECT_TRUE(bytes.endsWith("\t}\r\n}\r\n"));

    RecordingPrompt prompt;
    const auto loaded = FavoriteServersFile::Load(path, prompt);
    EXPECT_TRUE(prompt.texts.empty());
    EXPECT_EQ(loaded.damagedRecords, 0);
    // Each record goes to the head: the list holds them in reverse file order, with
    // serial numbers ascending in file order.
    EXPECT_EQ(Names(loaded), (std::vector<std::string>{"b", "a"}));
    ASSERT_EQ(loaded.servers.size(), 2u);
    EXPECT_GT(loaded.servers[0]->Serial(), loaded.servers[1]->Serial());
    EXPECT_EQ(loaded.servers[1]->address, "1.1.1.1");
    EXPECT_EQ(loaded.servers[1]->rules.front().value, "800");
}

TEST(FavoriteServersFile, MissingOrForeignFileLoadsNothingAndAsksNothing)
{
    TempTree tree;
    RecordingPrompt prompt;
    EXPECT_TRUE(FavoriteServersFile::Load(tree.Abs("favsvrs.dat"), prompt).servers.empty());
    tree.Write("favsvrs.dat", "server { \"name\" \"x\" }\r\n");
    EXPECT_TRUE(FavoriteServersFile::Load(tree.Abs("favsvrs.dat"), prompt).servers.empty());
    EXPECT_TRUE(prompt.texts.empty());
    EXPECT_TRUE(tree.Exists("favsvrs.dat"));
}

TEST(FavoriteServersFileDamage, TruncatedFileKeepsTheRecordsBeforeTheCut)
{
    const std::string full = ThreeRecords();
    const size_t cut = full.find("\"name\" \"c\"");
    ASSERT_NE(cut, std::string::npos);
    const auto result = FavoriteServersFile::Parse(full.substr(0, cut + 5).c_str());
    EXPECT_EQ(Names(result), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(result.damagedRecords, 1);
}

TEST(FavoriteServersFileDamage, RecordWithoutClosingBraceCostsOnlyItself)
{
    std::string text = ThreeRecords();
    // Drop the closing brace of the second record.
    const size_t second = text.find("\"name\" \"b\"");
    const size_t close = text.find("\t}\r\n", text.find("\t\t}\r\n", second) + 4);
    ASSERT_NE(close, std::string::npos);
    text.erase(close, 4);
    const auto result = FavoriteServersFile::Parse(text.c_str());
    EXPECT_EQ(Names(result), (std::vector<std::string>{"c", "a"}));
    EXPECT_EQ(result.damagedRecords, 1);
}

TEST(FavoriteServersFileDamage, BadPlayerIndexInTheMiddleKeepsTheRest)
{
    const std::string text = "{\r\n\tserver\r\n\t{\r\n\t\t\"name\" \"a\"\r\n\t}\r\n"
                             "\tserver\r\n\t{\r\n\t\t\"name\" \"b\"\r\n\t\tplayers 64\r\n\t\t{\r\n\t\t\tplayer 70\r\n"
                             "\t\t\t{\r\n\t\t\t\t\"name\" \"server\"\r\n\t\t\t}\r\n\t\t}\r\n\t}\r\n"
                             "\tserver\r\n\t{\r\n\t\t\"name\" \"c\"\r\n\t\t\"url\" \"\"\r\n\t}\r\n}\r\n";
    const auto result = FavoriteServersFile::Parse(text.c_str());
    EXPECT_EQ(Names(result), (std::vector<std::string>{"c", "a"}));
    EXPECT_EQ(result.damagedRecords, 1);
}

TEST(FavoriteServersFileDamage, FirstButtonMovesTheFileAsideAndTheNextSaveKeepsAllReadable)
{
    TempTree tree;
    const std::string full = ThreeRecords();
    const std::string damaged = full.substr(0, full.find("\"name\" \"c\""));
    tree.Write("favsvrs.dat", QByteArray::fromStdString(damaged));
    tree.Write("favsvrs.dat.bak", "an older backup");
    RecordingPrompt prompt(kPromptFirst);
    const QString path = tree.Abs("favsvrs.dat");
    const auto loaded = FavoriteServersFile::Load(path, prompt);
    ASSERT_EQ(prompt.texts.size(), 1u);
    EXPECT_EQ(prompt.buttons[0], PromptButtons::YesNo);
    EXPECT_FALSE(tree.Exists("favsvrs.dat"));
    EXPECT_EQ(tree.Read("favsvrs.dat.bak").toStdString(), damaged);

    ASSERT_TRUE(FavoriteServersFile::Save(path, View(loaded.servers)));
    RecordingPrompt again;
    const auto reloaded = FavoriteServersFile::Load(path, again);
    EXPECT_TRUE(again.texts.empty());
    EXPECT_EQ(Names(reloaded), (std::vector<std::string>{"a", "b"}));
}

TEST(FavoriteServersFileDamage, SecondButtonLeavesTheFile)
{
    TempTree tree;
    tree.Write("favsvrs.dat", "{ server { \"name\" \"a\" } server { \"name\" ");
    RecordingPrompt prompt(kPromptSecond);
    const auto loaded = FavoriteServersFile::Load(tree.Abs("favsvrs.dat"), prompt);
    EXPECT_EQ(prompt.texts.size(), 1u);
    EXPECT_EQ(loaded.servers.size(), 1u);
    EXPECT_TRUE(tree.Exists("favsvrs.dat"));
    EXPECT_FALSE(tree.Exists("favsvrs.dat.bak"));
}

TEST(FavoriteServersFileDamage, DecisionAloneMovesOnlyOnTheFirstButton)
{
    TempTree tree;
    tree.Write("list.dat", "x");
    RecordingPrompt no(kPromptSecond);
    EXPECT_FALSE(DamagedListDecision::Resolve(tree.Abs("list.dat"), no));
    EXPECT_TRUE(tree.Exists("list.dat"));
    RecordingPrompt yes(kPromptFirst);
    EXPECT_TRUE(DamagedListDecision::Resolve(tree.Abs("list.dat"), yes));
    EXPECT_EQ(tree.Read("list.dat.bak"), "x");
}

TEST(FavoriteServersFile, UnwritableFolderIsReportedAndLeavesNothing)
{
    TempTree tree;
    std::vector<std::unique_ptr<CServerInfo>> list;
    list.push_back(Server("1.1.1.1", "a"));
    EXPECT_FALSE(FavoriteServersFile::Save(tree.Abs("missing/favsvrs.dat"), View(list)));
    EXPECT_FALSE(tree.Exists("missing"));
}

// A user whose locale writes 0,125 still gets a file every launcher reads: the
// record's reals keep their point.
TEST(FavoriteServersFileLocale, CommaLocaleStillWritesPointDecimals)
{
    ScopedCommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << ScopedCommaLocale::kMissing;
    TempTree tree;
    std::vector<std::unique_ptr<CServerInfo>> list;
    list.push_back(Server("1.1.1.1", "a"));
    list[0]->svping = 0.125;
    list[0]->packetloss = 12.5f;
    list[0]->pingSamples[3] = 0.0625;
    ASSERT_TRUE(FavoriteServersFile::Save(tree.Abs("favsvrs.dat"), View(list)));
    const QByteArray bytes = tree.Read("favsvrs.dat");
    EXPECT_TRUE(bytes.contains("\t\t\"svping\" \"0.125000\"\r\n")) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains("\t\t\"packetloss\" \"12.500000\"\r\n"));
    EXPECT_TRUE(bytes.contains("\t\t\"ping03\" \"0.062500\"\r\n"));
    EXPECT_FALSE(bytes.contains(','));
}

TEST(FavoriteServersFileLocale, CommaLocaleStillReadsPointDecimals)
{
    ScopedCommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << ScopedCommaLocale::kMissing;
    TempTree tree;
    tree.Write("favsvrs.dat", "{\r\n\tserver\r\n\t{\r\n"
                              "\t\t\"address\" \"10.0.0.1\"\r\n"
                              "\t\t\"svping\" \"0.25\"\r\n"
                              "\t\t\"packetloss\" \"12.5\"\r\n"
                              "\t\t\"ping07\" \"0.0625\"\r\n"
                              "\t}\r\n}\r\n");
    RecordingPrompt prompt;
    const auto loaded = FavoriteServersFile::Load(tree.Abs("favsvrs.dat"), prompt);
    ASSERT_EQ(loaded.servers.size(), 1u);
    EXPECT_EQ(loaded.servers[0]->svping, 0.25);
    EXPECT_EQ(loaded.servers[0]->packetloss, 12.5f);
    EXPECT_EQ(loaded.servers[0]->pingSamples[7], 0.0625);
    EXPECT_TRUE(prompt.texts.empty());
}

} // namespace

#include "app/text/ServiceAddressList.h"
#include "app/settings/CommandLine.h"
#include "app/text/StringList.h"
#include "support/RecordingPrompt.h"
#include "support/SearchTree.h"

#include <QDir>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Endpoints = std::vector<std::pair<std::string, int>>;

Endpoints Of(const ServiceAddressList::List& list)
{
    Endpoints out;
    for (const ServiceAddress& entry : list)
        out.emplace_back(entry.host, entry.port);
    return out;
}

class AddressFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        LoadedStringList().Clear();
        LoadedStringList().Parse("341 \"341 %s\" 342 \"342 %s\" 343 \"343 %s\"");
    }
    void TearDown() override { LoadedStringList().Clear(); }
    void Parse(const char* text) { list.Parse(text, "test.lst"); }

    RecordingPrompt prompt;
    ServiceAddressList list;
};

ServiceAddressList::Random Fixed(int value, int* calls = nullptr)
{
    return [value, calls] {
        if (calls)
            ++*calls;
        return value;
    };
}

} // namespace

TEST_F(AddressFixture, EntriesTakeTheirSectionsDefaultPorts)
{
    Parse("Pylon { p1 p2:7000 }\r\nAuth {\r\n a1\r\n}\r\nMaster { m1:27015 m2 }\nModServer { s1 }\n");
    EXPECT_EQ(Of(list.PylonList()), (Endpoints{{"p1", 6001}, {"p2", 7000}}));
    EXPECT_EQ(Of(list.AuthList()), (Endpoints{{"a1", 6002}}));
    EXPECT_EQ(Of(list.MasterList()), (Endpoints{{"m1", 27015}, {"m2", 27010}}));
    EXPECT_EQ(Of(list.ModServerList()), (Endpoints{{"s1", 27011}}));
    EXPECT_TRUE(list.ChatList().empty());
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(AddressFixture, SectionNamesInAnyCaseAndRepeatedSectionsAddUp)
{
    Parse("MASTER { a }\n// between\nmaster { b A:27010 c:1 }\n");
    EXPECT_EQ(Of(list.MasterList()), (Endpoints{{"a", 27010}, {"b", 27010}, {"c", 1}}));
}

TEST_F(AddressFixture, PortsAndLongHosts)
{
    const std::string longHost(80, 'h');
    Parse(("Pylon { x: y:abc " + longHost + ":5 }").c_str());
    EXPECT_EQ(Of(list.PylonList()), (Endpoints{{"x", 0}, {"y", 0}, {longHost.substr(0, 63), 5}}));
}

TEST_F(AddressFixture, UnknownSectionShows341AndKeepsWhatWasRead)
{
    Parse("Master { a }\nMasters { b }\nAuth { c }\n");
    EXPECT_EQ(Of(list.MasterList()), (Endpoints{{"a", 27010}}));
    EXPECT_TRUE(list.AuthList().empty());
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"341 test.lst"});
}

TEST_F(AddressFixture, MissingOpeningBraceShows342)
{
    Parse("Master a }");
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"342 test.lst"});
    prompt.Clear();
    Parse("Master");
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"342 test.lst"});
    EXPECT_TRUE(list.MasterList().empty());
}

TEST_F(AddressFixture, MissingClosingBraceShows343AndKeepsEntries)
{
    Parse("Pylon {\n p1\n p2:9\n");
    EXPECT_EQ(Of(list.PylonList()), (Endpoints{{"p1", 6001}, {"p2", 9}}));
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"343 test.lst"});
}

TEST_F(AddressFixture, EmptyTextIsNotAnError)
{
    Parse("  // nothing\r\n");
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(AddressFixture, ShuffleRotatesByTheLowSixBits)
{
    Parse("Master { a b c }");
    list.Shuffle(Fixed(64 + 1));
    EXPECT_EQ(Of(list.MasterList()), (Endpoints{{"c", 27010}, {"a", 27010}, {"b", 27010}}));
    list.Shuffle(Fixed(5)); // five places over three entries: two
    EXPECT_EQ(Of(list.MasterList()), (Endpoints{{"a", 27010}, {"b", 27010}, {"c", 27010}}));
}

TEST_F(AddressFixture, OneEntryListsAreNeverRotated)
{
    Parse("Master { only } Pylon { p } Auth { x y }");
    int calls = 0;
    list.Shuffle(Fixed(1, &calls));
    EXPECT_EQ(calls, 1); // drawn for Auth alone
    EXPECT_EQ(Of(list.AuthList()), (Endpoints{{"y", 6002}, {"x", 6002}}));
    EXPECT_EQ(Of(list.MasterList()), (Endpoints{{"only", 27010}}));
}

TEST_F(AddressFixture, MasterCursorWalksTheListThenStaysVoid)
{
    list.ResetMaster();
    EXPECT_EQ(list.MasterHost(), "master.kestrel.invalid");
    EXPECT_EQ(list.MasterPort(), 27010);
    EXPECT_FALSE(list.NextMaster());

    Parse("Master { m1:1 m2:2 }");
    list.ResetMaster();
    ASSERT_TRUE(list.NextMaster());
    EXPECT_EQ(list.MasterHost(), "m1");
    EXPECT_EQ(list.MasterPort(), 1);
    ASSERT_TRUE(list.NextMaster());
    EXPECT_EQ(list.MasterHost(), "m2");
    EXPECT_FALSE(list.NextMaster());
    EXPECT_FALSE(list.NextMaster());
    list.ResetMaster();
    EXPECT_TRUE(list.NextMaster());
    EXPECT_EQ(list.MasterHost(), "m1");
}

TEST_F(AddressFixture, ModMasterCursorHasItsOwnDefaultPort)
{
    list.ResetModMaster();
    EXPECT_EQ(list.ModMasterHost(), "master.kestrel.invalid");
    EXPECT_EQ(list.ModMasterPort(), 27011);
    Parse("ModServer { s }");
    EXPECT_TRUE(list.NextModMaster());
    EXPECT_EQ(list.ModMasterHost(), "s");
    EXPECT_EQ(list.ModMasterPort(), 27011);
}

TEST(ServiceAddressDuplicates, TheLastOfEachGroupSurvivesInOrder)
{
    ServiceAddressList::List entries = {{"a", 1}, {"b", 1}, {"A", 1}, {"c", 1}, {"b", 2}, {"B", 1}};
    ServiceAddressList::RemoveDuplicates(entries);
    EXPECT_EQ(Of(entries), (Endpoints{{"A", 1}, {"c", 1}, {"b", 2}, {"B", 1}}));
}

TEST_F(AddressFixture, ResolutionMergesEntriesThatMeet)
{
    Parse("Master { localhost:27010 127.0.0.1 } Pylon { 127.1:6001 unknown.kestrel.invalid 3com.invalid }");
    list.ResolveAll();
    EXPECT_EQ(Of(list.MasterList()), (Endpoints{{"127.0.0.1", 27010}}));
    EXPECT_EQ(Of(list.PylonList()),
              (Endpoints{{"127.0.0.1", 6001}, {"unknown.kestrel.invalid", 6001}, {"3com.invalid", 6001}}));
}

TEST_F(AddressFixture, ResolutionThroughAGivenResolver)
{
    Parse("Auth { one two three }");
    list.ResolveAll([](const std::string& name) -> std::optional<uint32_t> {
        if (name == "three")
            return std::nullopt;
        return 0x7F000002u;
    });
    EXPECT_EQ(Of(list.AuthList()), (Endpoints{{"127.0.0.2", 6002}, {"three", 6002}}));
}

TEST_F(AddressFixture, DemotedDirectoryServersMoveToTheEnd)
{
    Parse("Pylon { a b c d e }");
    list.PylonList()[0].demoted = true;
    list.PylonList()[2].demoted = true;
    list.DemoteFailed();
    EXPECT_EQ(Of(list.PylonList()), (Endpoints{{"b", 6001}, {"d", 6001}, {"e", 6001}, {"a", 6001}, {"c", 6001}}));
    for (const ServiceAddress& entry : list.PylonList())
        EXPECT_FALSE(entry.demoted);
}

TEST_F(AddressFixture, MissingFileLeavesListsEmptyWithoutAMessage)
{
    SearchTree tree;
    EXPECT_FALSE(list.Load("kavcomm.lst"));
    EXPECT_TRUE(list.MasterList().empty());
    EXPECT_TRUE(prompt.Texts().empty());
}

TEST_F(AddressFixture, StartUpLoadKeepsFileOrderWithUseFirstMaster)
{
    const QString workingDirectory = QDir::currentPath();
    SearchTree tree;
    tree.WriteGame("mine.lst", "Master { m1:27015 m2 m3 }\n");
    EffectiveCommandLine() = CommandLine("kestrel -game vrel -comm mine.lst -usefirstmaster");
    LoadServiceAddresses();
    EXPECT_EQ(Of(ServiceAddresses().MasterList()), (Endpoints{{"m1", 27015}, {"m2", 27010}, {"m3", 27010}}));
    EXPECT_EQ(ServiceAddresses().Directory(), tree.Tree().PathStd());

    EffectiveCommandLine() = CommandLine("kestrel -game vrel -comm mine.lst");
    LoadServiceAddresses();
    // Without the option the order is some rotation of the file order.
    const Endpoints order = Of(ServiceAddresses().MasterList());
    ASSERT_EQ(order.size(), 3u);
    const size_t first =
        size_t(std::find(order.begin(), order.end(), std::pair<std::string, int>{"m1", 27015}) - order.begin());
    EXPECT_EQ(order[(first + 1) % 3].first, "m2");
    EXPECT_EQ(order[(first + 2) % 3].first, "m3");
    EXPECT_EQ(QDir::currentPath().toStdString(), tree.Tree().PathStd());
    ServiceAddresses().Clear();
    QDir::setCurrent(workingDirectory);
}

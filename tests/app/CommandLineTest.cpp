#include "app/settings/CommandLine.h"

#include <gtest/gtest.h>

#include <map>

namespace {

CommandLine::FileReader FakeFiles(std::map<std::string, std::string> files)
{
    return [files](const std::string& name, std::string& contents) {
        const auto it = files.find(name);
        if (it == files.end())
            return false;
        contents = it->second;
        return true;
    };
}

} // namespace

TEST(CommandLineFind, MatchesSubstringsAnywhereAndTakesTheNextWord)
{
    CommandLine line("kestrel -gldrv mesa.so -windowed +connect 1.2.3.4:27015 dowipeit");
    std::string value;
    EXPECT_TRUE(line.FindOption("-gl", &value));
    EXPECT_EQ(value, "mesa.so");  // the value follows the matched word, not the match
    EXPECT_TRUE(line.FindOption("-win"));
    EXPECT_TRUE(line.FindOption("wipe"));
    EXPECT_TRUE(line.FindOption("+connect", &value));
    EXPECT_EQ(value, "1.2.3.4:27015");
    EXPECT_FALSE(line.FindOption("-Windowed"));  // case-sensitive
    EXPECT_FALSE(line.FindOption("-console", &value));
    EXPECT_EQ(value, "");
}

TEST(CommandLineFind, LastWordHasAnEmptyValueAndLongValuesAreCut)
{
    CommandLine line("kestrel -dev -heapsize");
    std::string value = "stale";
    EXPECT_TRUE(line.FindOption("-heapsize", &value));
    EXPECT_EQ(value, "");

    CommandLine longValue("kestrel -password " + std::string(300, 'x') + " -dev");
    EXPECT_TRUE(longValue.FindOption("-password", &value));
    EXPECT_EQ(value.size(), CommandLine::kMaxOptionValue);

    CommandLine absent;
    EXPECT_FALSE(absent.FindOption("-dev", &value));
}

TEST(CommandLineRemove, CutsUpToTheNextOptionCharacter)
{
    CommandLine line("kestrel -game foo -dev +map x");
    line.RemoveOption("-game");
    EXPECT_EQ(line.Text(), "kestrel -dev +map x");

    // "-gamegauge" contains "-game": it goes, with everything up to the next '-'.
    CommandLine gauge("kestrel -gamegauge 10 -console");
    gauge.RemoveOption("-game");
    EXPECT_EQ(gauge.Text(), "kestrel -console");

    // A value that contains '-' is cut there; the rest stays behind.
    CommandLine dashed("kestrel -password a-b -dev");
    dashed.RemoveOption("-password");
    EXPECT_EQ(dashed.Text(), "kestrel -b -dev");

    // Nothing follows: the text is cut at the match and trailing spaces go.
    CommandLine last("kestrel -dev   -game foo   ");
    last.RemoveOption("-game");
    EXPECT_EQ(last.Text(), "kestrel -dev");
}

TEST(CommandLineAppend, ReplacesEveryEarlierCopy)
{
    CommandLine line("kestrel -game one -dev -game two");
    line.AppendOption("-game", "vrel");
    EXPECT_EQ(line.Text(), "kestrel -dev -game vrel");
    std::string value;
    ASSERT_TRUE(line.FindOption("-game", &value));
    EXPECT_EQ(value, "vrel");

    CommandLine empty;
    empty.AppendOption("-console");
    EXPECT_EQ(empty.Text(), "-console");
    empty.AppendOption("-heapsize", "32768");
    EXPECT_EQ(empty.Text(), "-console -heapsize 32768");
}

TEST(CommandLineExpand, ParameterFilesAreInsertedAsOneLine)
{
    std::vector<std::string> missing;
    auto report = [&missing](const std::string& name) { missing.push_back(name); };
    const auto files = FakeFiles({{"params.txt", "-dev\r\n+map arena\n"}, {"one.txt", "-console"}});

    auto line = CommandLine::Expand("kestrel @params.txt -windowed", files, report);
    EXPECT_EQ(line.Text(), "kestrel -dev +map arena  -windowed");

    // '@' anywhere starts a name; a missing file is reported and its word dropped.
    line = CommandLine::Expand("kestrel @gone.txt -x@one.txt", files, report);
    EXPECT_EQ(line.Text(), "kestrel -x-console ");
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0], "gone.txt");

    line = CommandLine::Expand("kestrel @one.txt", files, report);
    EXPECT_EQ(line.Text(), "kestrel -console ");
}

TEST(CommandLineExpand, NeverGrowsPastItsWorkArea)
{
    const auto files = FakeFiles({{"big", std::string(3000, 'a')}});
    const auto line = CommandLine::Expand("kestrel @big @big @big -tail", files, nullptr);
    EXPECT_EQ(line.Text().size(), CommandLine::kMaxText);
    EXPECT_EQ(line.Text().find("-tail"), std::string::npos);

    // File names are cut at 255 characters before the file is looked up.
    std::string asked;
    auto recordName = [&asked](const std::string& name, std::string&) {
        asked = name;
        return false;
    };
    CommandLine::Expand("kestrel @" + std::string(400, 'n'), recordName, nullptr);
    EXPECT_EQ(asked.size(), CommandLine::kMaxFileName);
}

// Every message number the launcher's sources use has a built-in text, and the texts
// that are formatted read exactly the kinds of values their callers pass.
#include "app/text/BuiltinStrings.h"
#include "app/text/FormatConversions.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace {

// Number -> kinds of the values its callers format it with ('i' int, 'f' double,
// 's' string). Every other number is shown as it stands and must hold no conversion.
const std::map<int, std::string> kFormatted = {
    {28, "s"},  {59, "s"},  {60, "s"},   {62, "s"},   {63, "s"},   {64, "s"},  {65, "s"},   {66, "s"},   {67, "s"},
    {68, "s"},  {79, "f"},  {80, "f"},   {90, "s"},   {103, "i"},  {126, "s"}, {130, "is"}, {131, "is"}, {230, "s"},
    {231, "s"}, {341, "s"}, {342, "s"},  {343, "s"},  {348, "s"},  {401, "i"}, {403, "ii"}, {415, "s"},  {447, "s"},
    {449, "s"}, {451, "s"}, {452, "ss"}, {456, "si"}, {467, "s"},  {514, "s"}, {515, "sf"}, {516, "f"},  {517, "sssi"},
    {518, "f"}, {519, "s"}, {521, "ss"}, {523, "s"},  {524, "ii"}, {527, "s"}, {528, "s"},  {544, "s"},  {545, "s"},
    {550, "s"}, {552, "i"}, {555, "s"},  {556, "s"},  {566, "s"},  {568, "s"}, {574, "i"}, {652, "s"},
};

std::set<int> NumbersUsedInSources()
{
    const std::regex call(R"(\b(ShowMessage|ShowFormattedMessage|GetString|FormatString|StringNumber)\s*\(\s*(\d+))");
    std::set<int> numbers;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(KESTREL_SOURCE_DIR)) {
        const auto ext = entry.path().extension();
        if (!entry.is_regular_file() || (ext != ".cpp" && ext != ".h"))
            continue;
        std::ifstream file(entry.path());
        std::stringstream text;
        text << file.rdbuf();
        const std::string source = text.str();
        for (auto it = std::sregex_iterator(source.begin(), source.end(), call); it != std::sregex_iterator(); ++it)
            numbers.insert(std::stoi((*it)[2]));
    }
    return numbers;
}

} // namespace

TEST(BuiltinStrings, EveryNumberUsedInTheSourcesHasAText)
{
    const std::set<int> used = NumbersUsedInSources();
    EXPECT_FALSE(used.empty());
    for (int number : used) {
        const char* text = BuiltinString(number);
        EXPECT_TRUE(text && *text) << "message " << number << " has no built-in text";
    }
}

TEST(BuiltinStrings, ConversionsMatchTheValuesCallersPass)
{
    int count = 0;
    const BuiltinStringEntry* table = BuiltinStringTable(&count);
    for (int i = 0; i < count; ++i) {
        const auto kinds = ConversionSignature(table[i].text);
        ASSERT_TRUE(kinds) << "message " << table[i].number;
        const auto expected = kFormatted.find(table[i].number);
        EXPECT_EQ(*kinds, expected == kFormatted.end() ? "" : expected->second) << "message " << table[i].number;
    }
    for (const auto& [number, kinds] : kFormatted)
        EXPECT_NE(BuiltinString(number), nullptr) << "message " << number;
}

TEST(BuiltinStrings, TableIsSortedAndKeepsTheSocketsText)
{
    int count = 0;
    const BuiltinStringEntry* table = BuiltinStringTable(&count);
    for (int i = 1; i < count; ++i)
        EXPECT_LT(table[i - 1].number, table[i].number);
    EXPECT_STREQ(BuiltinString(107), "Windows sockets initialization failed.");
    EXPECT_STREQ(ProgramString(107), "Windows sockets initialization failed.");
    EXPECT_EQ(ProgramString(108), nullptr);
}

TEST(FormatConversions, KindsOfArguments)
{
    EXPECT_EQ(ConversionSignature("%d %5.2f %-10s %% %lu %lld %zu %c %p %*d %Lf"), "ifslLLipiiF");
    EXPECT_EQ(ConversionSignature("no conversions 100%%"), "");
    EXPECT_FALSE(ConversionSignature("%n"));
    EXPECT_FALSE(ConversionSignature("%ls"));
    EXPECT_FALSE(ConversionSignature("ends in %"));
    EXPECT_FALSE(ConversionSignature("%q"));
}

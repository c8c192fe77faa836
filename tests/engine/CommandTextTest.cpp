// The stand-in engine's console text handling.
#include "CommandText.h"
#include "ConsoleVariables.h"

#include <gtest/gtest.h>

TEST(EngineCommandText, CommandsEndAtLineFeedsAndSemicolonsOutsideQuotes)
{
    CommandText text;
    ASSERT_TRUE(text.Add("name \"Ann; Bob\"\nconnect 127.0.0.1:27015;disconnect\n\n  \nquit"));
    std::vector<std::string> words;
    ASSERT_TRUE(text.Next(words));
    EXPECT_EQ(words, (std::vector<std::string>{"name", "Ann; Bob"}));
    ASSERT_TRUE(text.Next(words));
    EXPECT_EQ(words, (std::vector<std::string>{"connect", "127.0.0.1:27015"}));
    ASSERT_TRUE(text.Next(words));
    EXPECT_EQ(words, (std::vector<std::string>{"disconnect"}));
    ASSERT_TRUE(text.Next(words));
    EXPECT_EQ(words, (std::vector<std::string>{"quit"}));
    EXPECT_FALSE(text.Next(words));
}

TEST(EngineCommandText, EmptyQuotedWordAndUnclosedQuote)
{
    EXPECT_EQ(CommandText::Split("password \"\""), (std::vector<std::string>{"password", ""}));
    EXPECT_EQ(CommandText::Split("say \"open end"), (std::vector<std::string>{"say", "open end"}));
}

TEST(EngineCommandText, OverflowingTextIsDroppedWhole)
{
    CommandText text;
    EXPECT_TRUE(text.Add(std::string(CommandText::kMaxBuffered - 1, 'a')));
    EXPECT_FALSE(text.Add("bc"));
    std::vector<std::string> words;
    ASSERT_TRUE(text.Next(words));
    EXPECT_EQ(words[0].size(), CommandText::kMaxBuffered - 1);
}

TEST(EngineCommandText, PlusOptionsOfTheCommandLineBecomeCommands)
{
    EXPECT_EQ(CommandLineCommands("kestrel -game vrel +connect 127.0.0.1:27015 -console +map dm_yard"),
              "connect 127.0.0.1:27015\nmap dm_yard\n");
    EXPECT_EQ(CommandLineCommands("kestrel -game vrel"), "");
}

TEST(EngineConsoleVariables, NamesIgnoreCaseAndValuesAreBounded)
{
    ConsoleVariables variables;
    EXPECT_EQ(variables.Get("scr_connectmsg"), "0");
    variables.Set("Password", "pw");
    EXPECT_EQ(variables.Get("password"), "pw");
    variables.Set("long", std::string(5000, 'x'));
    EXPECT_EQ(variables.Get("long").size(), ConsoleVariables::kMaxValue);
    EXPECT_DOUBLE_EQ(variables.Number("cl_connecttimeout", 0), 15.0);
    EXPECT_DOUBLE_EQ(variables.Number("missing", 2.5), 2.5);
}

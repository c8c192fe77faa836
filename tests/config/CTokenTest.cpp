#include "app/text/CToken.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> AllTokens(const char* text, bool quoted, bool comments)
{
    CToken token(text);
    token.SetQuoted(quoted);
    token.SetSkipComments(comments);
    std::vector<std::string> out;
    for (int guard = 0; guard < 100; ++guard) {
        token.NextToken();
        if (token.Empty())
            break;
        out.emplace_back(token.Token());
    }
    return out;
}

using Tokens = std::vector<std::string>;

} // namespace

TEST(CTokenQuoted, QuotesGroupWordsAndKeepLineEnds)
{
    EXPECT_EQ(AllTokens("5 \"two words\"\r\n6 plain", true, false), (Tokens{"5", "two words", "6", "plain"}));
    EXPECT_EQ(AllTokens("\"a\r\nb\"", true, false), (Tokens{"a\r\nb"}));
}

TEST(CTokenQuoted, ThreeQuotesGiveAQuoteCharacter)
{
    EXPECT_EQ(AllTokens("\"\"\" next", true, false), (Tokens{"\"", "next"}));
}

TEST(CTokenQuoted, TwoQuotesGiveAnEmptyTokenAndReadingGoesOn)
{
    CToken token("\"\" after");
    token.SetQuoted(true);
    token.NextToken();
    EXPECT_TRUE(token.Empty());
    EXPECT_STREQ(token.NextToken(), "after");
}

TEST(CTokenQuoted, QuoteInsideAWordJoinsTheQuotedPart)
{
    EXPECT_EQ(AllTokens("ab\"c d\" e", true, false), (Tokens{"abc d", "e"}));
}

TEST(CTokenQuoted, CarriageReturnsInsideAWordAreDropped)
{
    EXPECT_EQ(AllTokens("a\rb\tc", true, false), (Tokens{"ab", "c"}));
}

TEST(CTokenQuoted, UnterminatedQuoteEndsAtTheText)
{
    EXPECT_EQ(AllTokens("\"open to the end", true, false), (Tokens{"open to the end"}));
}

TEST(CTokenComments, SkippedWhereATokenCouldStart)
{
    EXPECT_EQ(AllTokens("// head\n  a // tail\n\t// again\r\nb", true, true), (Tokens{"a", "b"}));
}

TEST(CTokenComments, SlashesInsideQuotesOrWordsStay)
{
    EXPECT_EQ(AllTokens("\"x // y\" http://host", true, true), (Tokens{"x // y", "http://host"}));
}

TEST(CTokenComments, WithoutSkippingSlashesAreAToken)
{
    EXPECT_EQ(AllTokens("// c", true, false), (Tokens{"//", "c"}));
}

TEST(CTokenPlain, TabStaysInsideAWord)
{
    EXPECT_EQ(AllTokens("a\tb c", false, false), (Tokens{"a\tb", "c"}));
}

TEST(CTokenPlain, ColonAtTheStartTakesTheWholeLine)
{
    EXPECT_EQ(AllTokens("word\r\n:the rest of line\r\nnext", false, false),
              (Tokens{"word", ":the rest of line", "next"}));
}

TEST(CTokenPlain, LineEndsAndCommentsSkippedWhenAsked)
{
    EXPECT_EQ(AllTokens("Master\r\n{\r\n  // c\r\n  host:1\r\n}\r\n", false, true),
              (Tokens{"Master", "{", "host:1", "}"}));
}

TEST(CTokenPlain, BlankLineEndsTheTextWithoutCommentSkipping)
{
    EXPECT_EQ(AllTokens("a\n\nb", false, false), (Tokens{"a"}));
}

TEST(CTokenRestOfLine, ReadsToTheLineEnd)
{
    CToken token("cmd  the rest here\r\nnext");
    token.NextToken();
    EXPECT_STREQ(token.RestOfLine(), "the rest here");
    EXPECT_STREQ(token.NextToken(), "next");
}

TEST(CTokenRestOfLine, EmptyAtALineEndAndNothingConsumed)
{
    CToken token("cmd\r\nnext");
    token.NextToken();
    const char* before = token.GetPosition();
    token.RestOfLine();
    EXPECT_TRUE(token.Empty());
    EXPECT_EQ(token.GetPosition(), before);
}

TEST(CTokenCursor, PositionRewindsAndNullTextLeavesTokenAlone)
{
    CToken token("one two");
    token.NextToken();
    const char* saved = token.GetPosition();
    EXPECT_STREQ(token.NextToken(), "two");
    token.SetPosition(saved);
    EXPECT_STREQ(token.NextToken(), "two");
    token.SetPosition(nullptr);
    EXPECT_STREQ(token.NextToken(), "two");
}

TEST(CTokenLimits, LongTokensAreCutAndTheCursorPassesThem)
{
    for (bool quoted : {false, true}) {
        const std::string longWord(5000, 'x');
        const std::string text = (quoted ? "\"" + longWord + "\"" : longWord) + " after";
        CToken token(text.c_str());
        token.SetQuoted(quoted);
        token.NextToken();
        EXPECT_EQ(std::string(token.Token()), std::string(CToken::kMaxToken, 'x'));
        EXPECT_STREQ(token.NextToken(), "after");
        const std::string line = "cmd " + longWord + "\nnext";
        CToken rest(line.c_str());
        rest.NextToken();
        EXPECT_EQ(std::string(rest.RestOfLine()).size(), CToken::kMaxToken);
        rest.SetQuoted(quoted);
        EXPECT_STREQ(rest.NextToken(), "next");
    }
}

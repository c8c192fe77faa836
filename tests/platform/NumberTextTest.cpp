// Numbers as text: printf's and atoi/atof's forms, never the user's locale.
#include "platform/NumberText.h"
#include "support/CommaLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

TEST(NumberText, FixedPointLikePrintf)
{
    EXPECT_EQ(FormatFixed(0.125, 6), "0.125000");
    EXPECT_EQ(FormatFixed(100.0, 6), "100.000000");
    EXPECT_EQ(FormatFixed(-2.5, 1), "-2.5");
    EXPECT_EQ(FormatFixed(1.0, 1), "1.0");
    EXPECT_EQ(FormatFixed(2.75, 0), "3");
    EXPECT_EQ(FormatFixed(1e300, 6).size(), 301u + 7u);
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 6), "inf");
}

TEST(NumberText, IntegersWithZeroPadding)
{
    EXPECT_EQ(FormatInt(7, 2), "07");
    EXPECT_EQ(FormatInt(64, 2), "64");
    EXPECT_EQ(FormatInt(123), "123");
    EXPECT_EQ(FormatInt(-5, 3), "-05");
    EXPECT_EQ(FormatInt(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
}

TEST(NumberText, IntegersReadLikeAtoiButSaturate)
{
    EXPECT_EQ(ParseInt("  42xyz"), 42);
    EXPECT_EQ(ParseInt("+17"), 17);
    EXPECT_EQ(ParseInt("-17"), -17);
    EXPECT_EQ(ParseInt("\t\n 8"), 8);
    EXPECT_EQ(ParseInt(""), 0);
    EXPECT_EQ(ParseInt("x1"), 0);
    EXPECT_EQ(ParseInt("--1"), 0);
    EXPECT_EQ(ParseInt("+-1"), 0);
    EXPECT_EQ(ParseInt("1.9"), 1);
    EXPECT_EQ(ParseInt("99999999999"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ParseInt("-99999999999"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ParseInt64("1099511627776"), int64_t(1) << 40);
    EXPECT_EQ(ParseInt64("123456789012345678901234567890"), std::numeric_limits<int64_t>::max());
    EXPECT_EQ(ParseInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
}

TEST(NumberText, RealsReadLikeAtof)
{
    EXPECT_EQ(ParseDouble("0.25"), 0.25);
    EXPECT_EQ(ParseDouble("  -12.5 ms"), -12.5);
    EXPECT_EQ(ParseDouble("+.5"), 0.5);
    EXPECT_EQ(ParseDouble("5."), 5.0);
    EXPECT_EQ(ParseDouble("1e3"), 1000.0);
    EXPECT_EQ(ParseDouble("2.5E-1x"), 0.25);
    EXPECT_EQ(ParseDouble("0x1p3"), 8.0);
    EXPECT_EQ(ParseDouble("0x"), 0.0);
    EXPECT_EQ(ParseDouble("1,5"), 1.0); // the comma is never a decimal point
    EXPECT_EQ(ParseDouble(""), 0.0);
    EXPECT_EQ(ParseDouble("junk"), 0.0);
    EXPECT_EQ(ParseDouble("--2"), 0.0);
    EXPECT_TRUE(std::isinf(ParseDouble("inf")));
    EXPECT_TRUE(std::isnan(ParseDouble("nan")));
    EXPECT_EQ(ParseDouble("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble("12345678901234567890e300"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble("1e-400"), 0.0);
    EXPECT_EQ(ParseDouble("0.0000000001e-320"), 0.0);
    EXPECT_EQ(ParseDouble("0x1p99999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDouble("0x1p-99999"), 0.0);
}

TEST(NumberText, RealsTellHowMuchTheyRead)
{
    size_t used = 99;
    EXPECT_EQ(ParseDouble(" 1.5s", &used), 1.5);
    EXPECT_EQ(used, 4u);
    EXPECT_EQ(ParseDouble("s1.5", &used), 0.0);
    EXPECT_EQ(used, 0u);
    EXPECT_EQ(ParseDouble("0", &used), 0.0);
    EXPECT_EQ(used, 1u);
    EXPECT_EQ(ParseDouble("0xg", &used), 0.0);
    EXPECT_EQ(used, 1u);
    EXPECT_EQ(ParseDouble("1e999", &used), std::numeric_limits<double>::infinity());
    EXPECT_EQ(used, 5u);
    // A hexadecimal exponent takes one sign at most, as strtod reads it.
    EXPECT_EQ(ParseDouble("0x1P+-2", &used), 1.0);
    EXPECT_EQ(used, 3u);
    EXPECT_EQ(ParseDouble("0x.8p-1x", &used), 0.25);
    EXPECT_EQ(used, 7u);
    // A number as a whole: blanks around it, nothing else.
    EXPECT_EQ(ParseWholeDouble(" 2.5\t"), 2.5);
    EXPECT_FALSE(ParseWholeDouble("5,5"));
    EXPECT_FALSE(ParseWholeDouble(""));
}

TEST(NumberText, SaturatingConversions)
{
    EXPECT_EQ(TruncateToInt(2.9), 2);
    EXPECT_EQ(TruncateToInt(-2.9), -2);
    EXPECT_EQ(TruncateToInt(1e12), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(TruncateToInt(-1e12), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(TruncateToInt(std::nan("")), 0);
    EXPECT_EQ(NarrowToFloat(1e300), std::numeric_limits<float>::infinity());
    EXPECT_EQ(NarrowToFloat(-1e300), -std::numeric_limits<float>::infinity());
    EXPECT_EQ(NarrowToFloat(12.5), 12.5f);
}

TEST(NumberText, CommaLocaleChangesNothing)
{
    ScopedCommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << ScopedCommaLocale::kMissing;
    EXPECT_EQ(FormatFixed(0.125, 6), "0.125000");
    EXPECT_EQ(FormatFixed(1234567.5, 1), "1234567.5"); // no grouping either
    EXPECT_EQ(ParseDouble("0.25"), 0.25);
    EXPECT_EQ(ParseDouble("12.5"), 12.5);
    EXPECT_EQ(ParseDouble("1,5"), 1.0);
    EXPECT_EQ(ParseInt("1.000"), 1);
}

} // namespace

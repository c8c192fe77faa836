#include "app/engine/EngineCommands.h"
#include "support/CommaLocale.h"

#include <gtest/gtest.h>

TEST(EngineCommands, JoinTexts)
{
    EXPECT_EQ(JoinCommand("Player", "127.0.0.1", 27015), "name \"Player\"\nconnect 127.0.0.1:27015\n");
    EXPECT_EQ(JoinCommand("Player", "host.example:27016"), "name \"Player\"\nconnect host.example:27016\n");
    EXPECT_EQ(PasswordCommand("secret word"), "password \"secret word\"\n");
}

TEST(EngineCommands, ValuesCannotStartAnotherCommand)
{
    EXPECT_EQ(JoinCommand("evil\"\nquit\n\"", "1.2.3.4;quit", 1), "name \"evilquit\"\nconnect 1.2.3.4quit:1\n");
    EXPECT_EQ(PasswordCommand("a\"b\r\nc"), "password \"abc\"\n");
    EXPECT_EQ(LoadCommand("x y;quit\n"), "load xyquit\n");
}

TEST(EngineCommands, GameTexts)
{
    EXPECT_EQ(RateCommand(2500), "rate 2500.000000\n");
    EXPECT_EQ(NewGameCommand(2, "c1a0", true), "disconnect\nskill 2\nmap c1a0\n");
    EXPECT_EQ(NewGameCommand(1, "c1a0", false), "skill 1\nmap c1a0\n");
    EXPECT_EQ(LoadCommand("quick.sav"), "load quick.sav\n");
    EXPECT_EQ(SaveCommand("Kestrel-003.sav"), "save Kestrel-003.sav\n");
}

TEST(EngineCommands, RateKeepsItsPointUnderACommaLocale)
{
    ScopedCommaLocale comma;
    if (!comma.Active())
        GTEST_SKIP() << ScopedCommaLocale::kMissing;
    EXPECT_EQ(RateCommand(2500.5), "rate 2500.500000\n");
}

TEST(EngineCommands, ListenServerTexts)
{
    EXPECT_EQ(ListenServerCommand(true, 8, "pw", "My Server", "dm_arena"),
              "disconnect\nsv_lan 1\nsetmaster disable\nmaxplayers 8\nsv_password \"pw\"\n"
              "hostname \"My Server\"\nmap dm_arena\n");
    EXPECT_EQ(ListenServerCommand(false, 16, "", "Open", "dm_yard"),
              "disconnect\nsv_lan 0\nsetmaster enable\nmaxplayers 16\nsv_password \"\"\n"
              "hostname \"Open\"\nmap dm_yard\n");
}

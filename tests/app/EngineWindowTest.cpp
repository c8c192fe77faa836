#include "app/engine/EngineWindow.h"
#include "app/settings/ActiveCustomGame.h"

#include <gtest/gtest.h>

TEST(EngineWindow, TitleIsTheActiveGameWithoutTrailingSpaces)
{
    SetActiveCustomGame(std::nullopt);
    EXPECT_EQ(EngineWindow::TitleText(), "Kestrel");
    ActiveCustomGameInfo game;
    game.game = "Vrel Arena   ";
    game.gamedir = "vrel";
    SetActiveCustomGame(game);
    EXPECT_EQ(EngineWindow::TitleText(), "Vrel Arena");
    game.game = "   ";
    SetActiveCustomGame(game);
    EXPECT_EQ(EngineWindow::TitleText(), "Kestrel");
    SetActiveCustomGame(std::nullopt);
}

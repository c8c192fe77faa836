#pragma once
// A demo world for the create-server tests, written once per test program, with two
// custom games beside it: "arena" with multiplayer maps of its own (one whose spawn
// class is "info_arena_spawn") and "nomaps" without any. Each test points the
// launcher's state, command line and file search at it and restores them after.
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

class ServerWorldTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Runs the file search on this game directory with the custom game current
    // (nullopt: no custom game, the launcher's "vrel").
    void UseGame(const std::optional<std::string>& gamedir, const std::string& mpentity = {});
    static const TempTree& Tree() { return *s_tree; }

private:
    static TempTree* s_tree;
    static QString s_error;
    std::string m_savedBase;
    std::string m_savedGame;
    std::string m_savedProgram;
    std::string m_savedCommandLine;
};

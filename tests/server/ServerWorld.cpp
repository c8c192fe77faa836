#include "ServerWorld.h"

#include "app/files/SearchPath.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "demo/DemoWorld.h"
#include "demo/MapWriter.h"

TempTree* ServerWorldTest::s_tree = nullptr;
QString ServerWorldTest::s_error;

namespace {

DemoMap ArenaMap(const QString& name, const QString& spawn)
{
    DemoMap map;
    map.name = name;
    map.title = name;
    map.entities = {{spawn, {0, 0, 0}, 0}};
    return map;
}

} // namespace

void ServerWorldTest::SetUpTestSuite()
{
    s_tree = new TempTree;
    s_error.clear();
    if (!DemoWorld::Write(s_tree->Path(), &s_error) && s_error.isEmpty())
        s_error = "failed without a reason";
    s_tree->Write("arena/maps/Pit.bsp", MapWriter::Build(ArenaMap("Pit", "info_player_deathmatch")));
    s_tree->Write("arena/maps/tower.bsp", MapWriter::Build(ArenaMap("tower", "info_arena_spawn")));
    s_tree->Write("arena/maps/a.b.bsp", MapWriter::Build(ArenaMap("a.b", "info_player_deathmatch")));
    s_tree->Write("arena/maps/bad name.bsp", MapWriter::Build(ArenaMap("bad name", "info_player_deathmatch")));
    s_tree->Write("arena/liblist.gam", "game \"Arena\"\r\ngamedir \"arena\"\r\n");
    s_tree->Write("nomaps/liblist.gam", "game \"No Maps\"\r\ngamedir \"nomaps\"\r\n");
}

void ServerWorldTest::TearDownTestSuite()
{
    delete s_tree;
    s_tree = nullptr;
}

void ServerWorldTest::SetUp()
{
    ASSERT_TRUE(s_error.isEmpty()) << s_error.toStdString();
    m_savedBase = Launcher().baseDirectory;
    m_savedGame = Launcher().gameDirectory;
    m_savedProgram = Launcher().programDirectory;
    m_savedCommandLine = EffectiveCommandLine().Text();
    Launcher().baseDirectory = Tree().PathStd();
    UseGame(std::nullopt);
}

void ServerWorldTest::TearDown()
{
    SetActiveCustomGame(std::nullopt);
    ResetSearchPath();
    Launcher().baseDirectory = m_savedBase;
    Launcher().gameDirectory = m_savedGame;
    Launcher().programDirectory = m_savedProgram;
    EffectiveCommandLine() = CommandLine(m_savedCommandLine);
}

void ServerWorldTest::UseGame(const std::optional<std::string>& gamedir, const std::string& mpentity)
{
    const std::string game = gamedir.value_or("vrel");
    Launcher().gameDirectory = game;
    EffectiveCommandLine() = CommandLine("kestrel -game " + game);
    if (gamedir)
        SetActiveCustomGame(ActiveCustomGameInfo{*gamedir, *gamedir, mpentity, 0});
    else
        SetActiveCustomGame(std::nullopt);
    ResetSearchPath();
}

#pragma once
// Where the game tree is. In order: the folder KESTREL_HOME names, the folder the
// player chose before (remembered in the settings), the program directory when it
// holds a game. When none of them does, the player chooses at first start: a folder
// of theirs, or the demo world, which the demo generator lays out in the user's data
// folder. Either choice is remembered for the next start.
#include <QString>

class GameTreeChoice
{
public:
    static constexpr const char* kHomeVariable = "KESTREL_HOME";
    // The settings value (section "Settings") that remembers the chosen folder.
    static constexpr const char* kGameFolderSetting = "Game Folder";
    // The generator program, beside the launcher.
    static constexpr const char* kDemoGenerator = "kestrel-demo";

    enum class Source
    {
        Home,             // KESTREL_HOME
        Remembered,       // the settings
        ProgramDirectory, // beside the launcher
        None,             // nothing found: ask the player
    };

    struct Decision
    {
        Source source = Source::None;
        QString folder; // absolute, without a trailing '/'; empty with Source::None
    };

    // home: the value of KESTREL_HOME (empty when unset).
    GameTreeChoice(QString home, QString programDirectory);

    Decision Decide() const;

    // A game tree holds the base game directory "harrow" and the game directory "vrel".
    static bool HoldsGame(const QString& folder);

    // The player picked a folder: remembered and true when it holds a game.
    static bool ChooseFolder(const QString& folder);
    static QString Remembered();
    static void Remember(const QString& folder);

    // $XDG_DATA_HOME/Harrow/VREL15/demo-world (~/.local/share when unset).
    static QString DemoWorldFolder();
    // The demo generator beside the launcher program.
    QString DemoGeneratorPath() const;

private:
    QString m_home;
    QString m_programDirectory;
};

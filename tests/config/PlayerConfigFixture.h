#pragma once
// A game tree with the key lists in gfx/shell/ and the game file search pointed at
// it; the player configuration is forgotten before and after each test.
#include "app/settings/LauncherState.h"
#include "config/player/PlayerConfig.h"
#include "config/player/PlayerConfigStore.h"
#include "support/RecordingPrompt.h"
#include "support/SearchTree.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

#include <string>

// kb_keys.lst in the engine's numbering: printable characters by their code, named
// keys at their numbers, mouse buttons and wheel, "<UNKNOWN>" elsewhere.
inline QByteArray TestKeyList()
{
    QByteArray out;
    auto entry = [&out](int number, const QByteArray& name, const QByteArray& colour = "NOCOLOR") {
        out += QByteArray::number(number) + " \"" + name + "\" \"" + name + " key\" " + colour + "\n";
    };
    for (int number = 0; number < 256; ++number) {
        QByteArray name;
        if (number > 32 && number < 127 && number != '"' && !(number >= 'A' && number <= 'Z'))
            name = QByteArray(1, char(number));
        const std::pair<int, const char*> named[] = {
            {9, "TAB"},        {13, "ENTER"},      {27, "ESCAPE"},    {32, "SPACE"},    {127, "BACKSPACE"},
            {128, "UPARROW"},  {129, "DOWNARROW"}, {130, "LEFTARROW"}, {131, "RIGHTARROW"}, {132, "ALT"},
            {133, "CTRL"},     {134, "SHIFT"},     {146, "F12"},      {169, "KP_ENTER"}, {200, "MOUSE1"},
            {201, "MOUSE2"},   {202, "MOUSE3"},    {203, "JOY1"},     {239, "MWHEELDOWN"}, {240, "MWHEELUP"},
        };
        for (const auto& [key, text] : named)
            if (key == number)
                name = text;
        if (name.isEmpty())
            entry(number, "<UNKNOWN KEYNUM>");
        else if (number >= 200)
            entry(number, name, "COLOR 120 190 255");
        else
            entry(number, name);
    }
    return out;
}

class PlayerConfigFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedGame = Launcher().gameDirectory;
        SetPlayerConfig(std::nullopt);
        tree.WriteBase("gfx/shell/kb_keys.lst", TestKeyList());
        tree.WriteBase("gfx/shell/kb_def.lst", "\"w\" \"+forward\"\n\"s\" \"+back\"\n\"e\" \"+use\"\n"
                                               "\"SPACE\" \"+jump\"\n\"MOUSE1\" \"+attack\"\n\"F13\" \"nothing\"\n");
        tree.WriteBase("gfx/shell/kb_act.lst", "\"blank\" \"Movement\"\n\"+forward\" \"Forward\"\n"
                                               "\"+back\" \"Back\"\n\"+use\" \"Use\"\n\"+jump\" \"Jump\"\n"
                                               "\"blank\" \"Combat\"\n\"+attack\" \"Fire\"\n");
    }

    void TearDown() override
    {
        SetPlayerConfig(std::nullopt);
        Launcher().gameDirectory = m_savedGame;
    }

    QByteArray ConfigBytes() const { return tree.Tree().Read("vrel/config.cfg"); }
    std::string ConfigText() const { return ConfigBytes().toStdString(); }
    void WriteConfig(const QByteArray& bytes) const { tree.WriteGame("config.cfg", bytes); }

    SearchTree tree;
    RecordingPrompt prompt;

private:
    std::string m_savedGame;
};

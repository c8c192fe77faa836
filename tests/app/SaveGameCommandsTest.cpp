// The load and save choices: confirmations, refusals and the command texts.
#include "app/saves/SaveGameCommands.h"
#include "app/saves/SaveGameWriter.h"
#include "app/text/Prompt.h"
#include "support/TempTree.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class AnsweringPrompt : public Prompt
{
public:
    int Show(const std::string&, PromptButtons buttons) override
    {
        asked.push_back(buttons);
        return answer;
    }
    int answer = kPromptFirst;
    std::vector<PromptButtons> asked;
};

class SaveGameCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override { SetPrompt(&m_prompt); }
    void TearDown() override { SetPrompt(nullptr); }
    static SaveGameEntry Entry(const std::string& name)
    {
        SaveGameEntry entry;
        entry.fileName = name;
        return entry;
    }
    AnsweringPrompt m_prompt;
};

TEST_F(SaveGameCommandsTest, CommandTexts)
{
    EXPECT_EQ(LoadCommandText("a.sav", false), "load a.sav\n");
    EXPECT_EQ(LoadCommandText("a.sav", true), "disconnect\nload a.sav\n");
    EXPECT_EQ(SaveCommandText("Kestrel-003.sav"), "save Kestrel-003.sav\n");
    EXPECT_FALSE(GameInProgress(0));
    EXPECT_FALSE(GameInProgress(1));
    EXPECT_TRUE(GameInProgress(4));
    EXPECT_TRUE(GameInProgress(5));
}

TEST_F(SaveGameCommandsTest, LoadWithoutGameAsksNothing)
{
    const SaveGameEntry entry = Entry("a.sav");
    EXPECT_EQ(ChooseLoadCommand(&entry, 1), "load a.sav\n");
    EXPECT_EQ(ChooseLoadCommand(nullptr, 1), "");
    EXPECT_TRUE(m_prompt.asked.empty());
}

TEST_F(SaveGameCommandsTest, LoadDuringGameNeedsConfirmation)
{
    const SaveGameEntry entry = Entry("a.sav");
    EXPECT_EQ(ChooseLoadCommand(&entry, 5), "disconnect\nload a.sav\n");
    ASSERT_EQ(m_prompt.asked.size(), 1u);
    EXPECT_EQ(m_prompt.asked[0], PromptButtons::YesNo);
    m_prompt.answer = kPromptSecond;
    EXPECT_EQ(ChooseLoadCommand(&entry, 4), "");
}

TEST_F(SaveGameCommandsTest, SaveRefusals)
{
    const std::vector<SaveGameEntry> list{Entry("Kestrel-001.sav"), Entry("old.sav")};
    EXPECT_EQ(ChooseSaveCommand(list, -1, 5, 1), "");
    EXPECT_EQ(ChooseSaveCommand(list, 2, 5, 1), "");
    EXPECT_EQ(ChooseSaveCommand(list, 0, 1, 1), "");
    EXPECT_EQ(ChooseSaveCommand(list, 0, 5, 0), "");
    EXPECT_EQ(m_prompt.asked.size(), 4u);
    for (PromptButtons buttons : m_prompt.asked)
        EXPECT_EQ(buttons, PromptButtons::Ok);
}

TEST_F(SaveGameCommandsTest, NewSaveNeedsNoConfirmationOverwriteDoes)
{
    const std::vector<SaveGameEntry> list{Entry("Kestrel-001.sav"), Entry("old.sav")};
    EXPECT_EQ(ChooseSaveCommand(list, 0, 5, 1), "save Kestrel-001.sav\n");
    EXPECT_TRUE(m_prompt.asked.empty());
    m_prompt.answer = kPromptSecond;
    EXPECT_EQ(ChooseSaveCommand(list, 1, 5, 1), "");
    m_prompt.answer = kPromptFirst;
    EXPECT_EQ(ChooseSaveCommand(list, 1, 5, 1), "save old.sav\n");
    EXPECT_EQ(m_prompt.asked.size(), 2u);
}

TEST_F(SaveGameCommandsTest, DialogLists)
{
    TempTree tree;
    const std::string folder = tree.PathStd() + "/SAVE/";
    ASSERT_TRUE(WriteSaveGame(folder + "Kestrel-000.sav", {"c1a0", SaveComment("First", 30), 0, {}}));
    ASSERT_TRUE(WriteSaveGame(folder + "Kestrel-001.sav", {"c1a1", SaveComment("Second", 60), 0, {}}));
    const std::vector<SaveGameEntry> load = LoadDialogEntries(folder);
    EXPECT_EQ(load.size(), 2u);
    const std::vector<SaveGameEntry> save = SaveDialogEntries(folder);
    ASSERT_EQ(save.size(), 3u);
    EXPECT_EQ(save[0].fileName, "Kestrel-002.sav");
    EXPECT_TRUE(save[0].mapName.empty());
    std::vector<std::string> existing{save[1].fileName, save[2].fileName};
    std::sort(existing.begin(), existing.end());
    EXPECT_EQ(existing, (std::vector<std::string>{"Kestrel-000.sav", "Kestrel-001.sav"}));
    EXPECT_TRUE(m_prompt.asked.empty());
}

} // namespace

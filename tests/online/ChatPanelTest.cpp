// The Internet games dialog's rooms view, the chat panel and the room list dialog.
#include "ChatFixture.h"
#include "app/settings/SettingsStore.h"
#include "browser/dialogs/CNetGameDlg.h"
#include "online/dialogs/CChatPanel.h"
#include "online/dialogs/CRoomDialog.h"
#include "ui/CODControls.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {

class ChatWindows : public ChatFixture
{
protected:
    static bool RunUntil(const std::function<bool()>& done)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (std::chrono::steady_clock::now() < end) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            if (done())
                return true;
        }
        return false;
    }

    static QStringList Users(const CChatPanel& panel)
    {
        QStringList names;
        for (int i = 0; i < panel.UserList()->count(); ++i)
            names << panel.UserList()->item(i)->text();
        return names;
    }

    QTemporaryDir folder;
    ServiceAddressList noMasters;
};

TEST_F(ChatWindows, RoomsViewJoinsTheLobbyAndChatsInPlainText)
{
    CNetGameDoc::Setup setup;
    setup.listPath = folder.path() + "/favsvrs.dat";
    setup.services = &noMasters;
    setup.resolveServices = false;
    CNetGameDlg dialog(nullptr, setup);
    CChatPanel& panel = *dialog.ChatPanel();
    panel.SetService(context.get(), &addresses);
    panel.SetTimeouts(chatTimeouts);
    panel.SetPlayerName("Ann");
    EXPECT_EQ(panel.Caption()->text(), "Connecting...");
    EXPECT_EQ(panel.Conversation()->toPlainText(), "Kestrel Chat");

    dialog.SwitchView();
    ASSERT_TRUE(dialog.InRoomsView());
    ASSERT_NE(panel.Client(), nullptr);
    EXPECT_TRUE(panel.Client()->IsLive());
    EXPECT_EQ(panel.Caption()->text(), "Lobby");
    EXPECT_EQ(Users(panel), QStringList{" Ann"});

    Room("Lobby").Say("Robot", "<b>hi</b>\x07\r\n");
    ASSERT_TRUE(RunUntil([&] { return panel.Conversation()->toPlainText().endsWith("<Robot> <b>hi</b>"); }));
    EXPECT_EQ(Users(panel), (QStringList{" Ann", " Robot"}));

    // Back to the server list: the conversation goes on behind it.
    dialog.SwitchView();
    EXPECT_FALSE(dialog.InRoomsView());
    panel.ChatLine()->setText("still here");
    emit panel.ChatLine()->returnPressed();
    EXPECT_TRUE(panel.ChatLine()->text().isEmpty());
    ASSERT_TRUE(RunUntil([&] { return panel.Conversation()->toPlainText().endsWith("<Ann> still here"); }));
    Room("Lobby").RemoveRobot("Robot");
    ASSERT_TRUE(RunUntil([&] { return Users(panel) == QStringList{" Ann"}; }));
}

TEST_F(ChatWindows, PanelKeepsTheLastLines)
{
    CChatPanel panel;
    for (int i = 0; i < CChatPanel::kMaxLines + 100; ++i)
        panel.ShowLine("line " + std::to_string(i), "");
    EXPECT_EQ(panel.Conversation()->document()->blockCount(), CChatPanel::kMaxLines);
    EXPECT_TRUE(panel.Conversation()->toPlainText().endsWith("line 5099"));
}

TEST_F(ChatWindows, RoomListHidesEmptyLobbiesAndFollowsItsCheckBoxes)
{
    std::vector<ChatRoom> rooms(4);
    rooms[0].name = "Lobby 1";
    rooms[1].name = "Lobby 2";
    rooms[2].name = "Arena";
    rooms[3].name = "Mine";
    const std::vector<std::string> permanent{"Lobby", "Arena"};
    EXPECT_EQ(VisibleRooms(rooms, permanent, true, true), (std::vector<size_t>{0, 2, 3}));
    EXPECT_EQ(rooms[1].permanentIndex, 0);
    EXPECT_EQ(rooms[3].permanentIndex, -1);
    rooms[1].users = 4;
    EXPECT_EQ(VisibleRooms(rooms, permanent, true, true), (std::vector<size_t>{1, 2, 3}));
    EXPECT_EQ(VisibleRooms(rooms, permanent, false, true), (std::vector<size_t>{3}));
    EXPECT_EQ(VisibleRooms(rooms, permanent, true, false), (std::vector<size_t>{1, 2}));

    Player& ann = NewPlayer("Ann");
    ann.client->SetPermanentRooms({"Lobby"});
    ASSERT_NE(ann.client->CreateRoom("Den"), 0);
    ASSERT_TRUE(ann.client->RefreshRooms());
    {
        CRoomDialog dialog(*ann.client, &ann.view);
        EXPECT_EQ(dialog.List()->count(), 3);
        dialog.ShowUserCreated()->setChecked(false);
        EXPECT_EQ(dialog.List()->count(), 1);
        EXPECT_EQ(dialog.List()->item(0)->text().split(' ').front(), "Lobby");
        dialog.ShowUserCreated()->setChecked(true);
        dialog.SelectRoom("den");
        ASSERT_TRUE(dialog.EnterSelected());
        EXPECT_TRUE(ann.view.Saw("Entering room Den"));
        dialog.ShowPermanent()->setChecked(false);
    }
    EXPECT_EQ(GetSettingInt("Settings", CRoomDialog::kShowPermanent, 1), 0);
    EXPECT_EQ(GetSettingInt("Settings", CRoomDialog::kShowUserCreated, 0), 1);
    EXPECT_EQ(ann.client->CurrentRoom()->name, "Den");
}

} // namespace

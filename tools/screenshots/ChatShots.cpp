// The chat rooms: the room list dialog, the create-room dialog and the Internet games
// dialog's rooms view with a conversation going. Nothing is sent anywhere: the rooms,
// lines and players are filled here.
#include "Shot.h"

#include "browser/dialogs/CNetGameDlg.h"
#include "online/dialogs/CChatPanel.h"
#include "online/dialogs/CRoomDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace {

struct SampleRoom
{
    const char* name;
    uint32_t users;
    bool createdHere;
};

constexpr SampleRoom kRooms[] = {{"Lobby", 23, false},         {"Veterans", 11, false},  {"Newcomers", 6, false},
                                 {"Clan Hall", 4, false},      {"Saltworks Crew", 3, true}, {"Night Owls", 2, true},
                                 {"Mill Practice", 1, true}};

// A chat client that never connects, holding the sample rooms.
CChatClient& SampleClient()
{
    static ServiceAddressList addresses;
    static CChatClient client(nullptr, &addresses, nullptr);
    if (client.Rooms().Size() == 0) {
        client.SetPermanentRooms({"Lobby", "Veterans", "Newcomers", "Clan Hall"});
        int port = 6100;
        for (const SampleRoom& sample : kRooms)
            if (ChatRoom* room = client.Rooms().Add(sample.name, "No topic", "10.20.0.7:" + std::to_string(port++), "")) {
                room->users = sample.users;
                room->createdHere = sample.createdHere;
            }
    }
    return client;
}

class RoomsViewShot : public CNetGameDlg
{
public:
    RoomsViewShot() : CNetGameDlg(nullptr, Setup())
    {
        ChatPanel()->SetPlayerName("Wren");
        SwitchView();
        CChatPanel& panel = *ChatPanel();
        panel.Conversation()->clear();
        const std::pair<const char*, const char*> lines[] = {
            {"", "Kestrel Chat"},
            {"", "Entering room Lobby"},
            {"Talon", "anyone up for a round on ha_mill?"},
            {"Kite", "sure, Saltworks 24/7 has a few slots"},
            {"Osprey", "gg all, that last map was brutal"},
            {"", "Merlin polishes his railgun"},
            {"Wren", "hi everyone"},
            {"Harrier", "who is hosting tonight?"},
            {"Talon", "Night Owls [EU] at nine, bring friends"},
            {"Kite", "<b>no markup here</b>, just text"},
        };
        for (const auto& [speaker, text] : lines)
            panel.ShowLine(text, speaker);
        panel.Caption()->setText(QStringLiteral("Lobby"));
        panel.UserList()->clear();
        for (const char* name : {" Wren", " Talon", " Kite", " Osprey", " Merlin", " Harrier"})
            panel.UserList()->addItem(QString::fromLatin1(name));
        panel.ChatLine()->setText(QStringLiteral("/join Vet"));
    }

private:
    static CNetGameDoc::Setup Setup()
    {
        static QTemporaryDir folder;
        static ServiceAddressList none;
        CNetGameDoc::Setup setup;
        setup.listPath = folder.filePath(QStringLiteral("favsvrs.dat"));
        setup.services = &none;
        setup.resolveServices = false;
        return setup;
    }
};

} // namespace

void AddChatShots(std::vector<Shot>& shots)
{
    shots.push_back({"chat_rooms", [] { return std::unique_ptr<QWidget>(std::make_unique<CRoomDialog>(SampleClient(), nullptr)); }});
    shots.push_back({"chat_create_room", [] {
                         auto dialog = std::make_unique<CCreateRoomDialog>();
                         dialog->NameField()->setText(QStringLiteral("Saltworks Crew"));
                         dialog->PasswordField()->setText(QStringLiteral("letmein"));
                         return std::unique_ptr<QWidget>(std::move(dialog));
                     }});
    shots.push_back({"chat_room_view", [] { return std::unique_ptr<QWidget>(std::make_unique<RoomsViewShot>()); }});
}

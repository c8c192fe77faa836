#pragma once
// One screenshot: a name (the PNG's file name) and a function that builds the window
// to photograph. Dialogs are shown over the dimmed splash at the launcher size, where
// the launcher would show them.
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

struct Shot
{
    std::string name;
    std::function<std::unique_ptr<QWidget>()> create;
    // Photographed over the splash backdrop (false for full launcher windows).
    bool overSplash = true;
};

// Each dialog family adds its shots from a file of its own in this folder (UiShots.cpp
// holds the shell's dialogs); main.cpp calls every Add…Shots function in turn.
void AddUiShots(std::vector<Shot>& shots);
// The main menu and its configuration, video and saved-game dialogs (MenuShots.cpp).
void AddMenuShots(std::vector<Shot>& shots);
// The server browser: games lists, filter and details dialogs (BrowserShots.cpp).
void AddBrowserShots(std::vector<Shot>& shots);
// The Internet and LAN games lists (BrowserListShots.cpp).
void AddBrowserListShots(std::vector<Shot>& shots);
// The create-server and server options dialogs (ServerShots.cpp).
void AddServerShots(std::vector<Shot>& shots);
// The player configuration's pages: controls, audio, game options, user info (ConfigShots.cpp).
void AddConfigShots(std::vector<Shot>& shots);
// The first-start dialog that offers a game folder or the demo world (FirstStartShots.cpp).
void AddFirstStartShots(std::vector<Shot>& shots);
// The custom games dialog, the download window and its questions (ModShots.cpp).
void AddModShots(std::vector<Shot>& shots);
// The player profile with its spray logo (ProfileShots.cpp).
void AddProfileShots(std::vector<Shot>& shots);
// The chat rooms: room list, create-room dialog, the rooms view (ChatShots.cpp).
void AddChatShots(std::vector<Shot>& shots);

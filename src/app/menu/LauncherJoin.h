#pragma once
// Joining from the launcher's dialogs: the join flow over the launcher's engine host,
// with what the player sees after a failure. A server that refused the password is
// joined again with the new one, for as long as the player keeps answering.
#include "app/menu/JoinTarget.h"

#include <functional>
#include <string>

// Joins the server, or with nullptr runs quick start. True when the player is in a
// game; on failure the menu has the screen and the player has been told why.
bool LauncherJoinServer(const JoinTarget* server);

// Where joins take the player's name from (the player profile); "Player" until set.
void SetJoinPlayerName(std::function<std::string()> name);
// The player's name as joins use it.
std::string JoinPlayerName();

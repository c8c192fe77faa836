#pragma once
// The dedicated server's argument list and the listen server's console text for a
// create-server request. The arguments go to the program as a list (no shell), so
// host name and password need no quotes there; the console text quotes them.
#include "config/server/CreateServerRequest.h"

#include <string>
#include <vector>

// "+sv_lan 1" (LAN only), "+maxplayers N", "+sv_password P", "+hostname H", "+map M",
// then "-game DIR" when customGameDirectory is not empty.
std::vector<std::string> DedicatedServerArguments(const CreateServerRequest& request,
                                                  const std::string& customGameDirectory);
// "disconnect", the LAN or Internet lines, "maxplayers", "sv_password", "hostname" and
// "map", one per line.
std::string ListenServerCommandText(const CreateServerRequest& request);

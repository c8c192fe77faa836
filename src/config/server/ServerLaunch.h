#pragma once
// Starting the server a confirmed create-server request asks for. A dedicated server
// is the program "ksds" beside the launcher, started detached in the base directory
// with an argument list; the launcher ends only once it has started. A listen server
// runs in the engine, which the player then plays on.
#include "config/server/CreateServerRequest.h"

#include <functional>
#include <string>
#include <vector>

inline constexpr const char* kDedicatedServerProgram = "ksds";
inline constexpr const char* kDedicatedServerMissing =
    "The dedicated server could not be started (no ksds program beside Kestrel).";

// The custom game directory a dedicated server is given ("-game"): the current custom
// game's, unless there is none or it is the base game.
std::string DedicatedServerGameDirectory();

// Starts ksds; on success unloads the engine and ends the launcher (through the quit
// handler) and returns true. On failure the player is told and false returned.
bool StartDedicatedServer(const CreateServerRequest& request);
// Starts the engine running the listen server; false (the menu back) on failure.
bool StartListenServer(const CreateServerRequest& request);
// Leaves any game, then starts the server the request asks for.
bool StartRequestedServer(const CreateServerRequest& request);

// Arguments appended to every dedicated server's list: where it listens ("+ip",
// "-port"); tests keep their servers on loopback ports of their own.
void SetDedicatedServerBinding(std::vector<std::string> arguments);
// The process id of the last dedicated server started (0: none).
long long LastDedicatedServerProcess();

// How the launcher ends after a dedicated server started (default: the application's
// event loops end); tests record it instead.
void SetServerQuitHandler(std::function<void()> quit);

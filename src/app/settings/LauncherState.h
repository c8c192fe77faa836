#pragma once
// Process-wide launcher values that start-up settles and every subsystem reads.
#include <string>

struct LauncherState
{
    static constexpr size_t kMaxPath = 259;

    std::string productTitle = "Kestrel";
    std::string gameDirectory = "harrow";  // active game directory
    std::string baseDirectory;            // folder that holds the game tree, no trailing '/'
    std::string programDirectory;         // folder of the launcher program and engine libraries
    std::string configFileName = "config.cfg";
    std::string patchVersion = "1.0.1.4";
    std::string shortTitle = "KESTREL";
    int launcherBpp = 16;
    int launcherWidth = 640;
    int launcherHeight = 480;
    int socketBudget = 1;
    int updaterFlag = 0;
    int mmx = 0;
    int cpuMhz = 0;
};

LauncherState& Launcher();
const std::string& ProductTitle();

#include "app/settings/LauncherHelp.h"

#include <cstring>

bool LauncherHelpAsked(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-help") || !std::strcmp(argv[i], "-?"))
            return true;
    }
    return false;
}

std::string LauncherHelpText()
{
    return "usage: kestrel [OPTION]... [@FILE]...\n"
           "Opens the Kestrel main menu: find game servers on the Internet and the LAN, join\n"
           "them, chat, create servers and change the player's settings.\n"
           "\n"
           "  @FILE               read more options from FILE\n"
           "  -nointro            go straight to the main menu, without the intro videos\n"
           "  -comm FILE          service address list instead of kavcomm.lst\n"
           "  -usefirstmaster     ask the master servers in the order of the list\n"
           "  -windowed, -full    run the game in a window or on the whole screen\n"
           "  -soft, -gl          software or OpenGL renderer\n"
           "  -console            open the game's console\n"
           "  +connect HOST:PORT  join a server at once\n"
           "  +map NAME           start a game on a map at once\n"
           "  -nopersist          ask the master servers whenever a games list opens\n"
           "  -maxsockets N       servers queried at once\n"
           "  -timeout S          seconds to wait for a server's reply\n"
           "  -nocheck            join a server without querying it again first\n"
           "  --help, -?          print this help and exit\n"
           "\n"
           "The game tree is the folder named by KESTREL_HOME, else the folder chosen at the\n"
           "first start (kept in ~/.config/Harrow/VREL15.ini), else the program's folder.\n"
           "See kestrel(6) for every option.\n";
}

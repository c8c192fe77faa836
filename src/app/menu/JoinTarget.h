#pragma once
// The part of a server record that joining needs. The browser's server record is
// turned into one of these before a join.
#include <string>

struct JoinTarget
{
    std::string address; // host name or dotted address; "host:port" when addressHasPort
    int port = 0;        // host order
    int protocol = 0;    // 0: not known yet
    bool needsPassword = false;
    std::string name;            // the server's name, for the progress text
    bool addressHasPort = false; // the address text already ends with ":port"
};

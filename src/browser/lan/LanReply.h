#pragma once
// What the LAN list does with one datagram that answered the broadcast info request:
// a pure function of the bytes, the sender and the list.
#include <string>

class CMessageBuffer;
class ServerRecordList;
class CServerInfo;

// The game directory of the servers the LAN list keeps (exact letter case).
inline constexpr const char* kLanGameDir = "vrel";

// Takes a reply from address:port into the list: the record of that sender (an
// existing one is reused) gets the fields of the info text, its query state left
// alone; a record whose game directory is not exactly kLanGameDir is then removed.
// Datagrams that are not info replies change nothing. Returns the record kept, or
// nullptr.
CServerInfo* TakeLanReply(ServerRecordList& list, CMessageBuffer& msg, const std::string& address, int port, bool ipx,
                          double now);

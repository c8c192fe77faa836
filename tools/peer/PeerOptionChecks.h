#pragma once
// Checks of kestrel-peer's option values that the parser alone would let through.
#include <QStringList>

#include <string>

// "a.b.c.d:port" with a dotted-quad IPv4 address (no host names: the server-data and
// list replies carry the four address bytes) and a port 1 ... 65535.
bool ReadIPv4HostPort(const std::string& text, std::string& address, int& port, std::string& error);
// Texts that go into the backslash-separated info reply may not hold a backslash.
bool CheckInfoText(const std::string& option, const std::string& value, std::string& error);
// Finds "--config FILE" or "--config=FILE" in the arguments: its index and how many
// arguments it takes (0 when absent), the file in path. False when given twice or
// without a file.
bool FindConfigOption(const QStringList& arguments, qsizetype& index, qsizetype& length, QString& path,
                      std::string& error);

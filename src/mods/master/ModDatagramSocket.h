#pragma once
// Connects a datagram socket to host:port (a name is looked up first), trying the
// connect up to three times 50 ms apart.
#include <QUdpSocket>
#include <string>

inline constexpr int kModConnectTries = 3;
inline constexpr int kModConnectRetryMs = 50;

bool ConnectModSocket(QUdpSocket& socket, const std::string& host, int port);

#pragma once
// Where a LAN discovery request goes. Linux sends the limited broadcast address
// (255.255.255.255) out of the default route's interface only, and nowhere without a
// default route, so the request also goes to the broadcast address of every
// interface that is up and has one.
#include <QHostAddress>

#include <vector>

struct LanInterface
{
    bool up = false;
    bool canBroadcast = false;
    bool loopback = false;
    // The broadcast addresses of its address entries (IPv4 entries have one).
    std::vector<QHostAddress> broadcasts;
};

// The network interfaces of this machine.
std::vector<LanInterface> SystemLanInterfaces();

// The limited broadcast address first, then the IPv4 broadcast address of every
// interface that is up, can broadcast and is not the loopback, each address once.
std::vector<QHostAddress> LanDestinations(const std::vector<LanInterface>& interfaces);

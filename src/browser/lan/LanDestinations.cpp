#include "browser/lan/LanDestinations.h"

#include <QNetworkInterface>

#include <algorithm>

std::vector<LanInterface> SystemLanInterfaces()
{
    std::vector<LanInterface> interfaces;
    for (const QNetworkInterface& system : QNetworkInterface::allInterfaces()) {
        LanInterface lan;
        const QNetworkInterface::InterfaceFlags flags = system.flags();
        lan.up = flags.testFlag(QNetworkInterface::IsUp);
        lan.canBroadcast = flags.testFlag(QNetworkInterface::CanBroadcast);
        lan.loopback = flags.testFlag(QNetworkInterface::IsLoopBack);
        for (const QNetworkAddressEntry& entry : system.addressEntries())
            if (!entry.broadcast().isNull())
                lan.broadcasts.push_back(entry.broadcast());
        interfaces.push_back(std::move(lan));
    }
    return interfaces;
}

std::vector<QHostAddress> LanDestinations(const std::vector<LanInterface>& interfaces)
{
    std::vector<QHostAddress> destinations{QHostAddress(QHostAddress::Broadcast)};
    for (const LanInterface& lan : interfaces) {
        if (!lan.up || !lan.canBroadcast || lan.loopback)
            continue;
        for (const QHostAddress& address : lan.broadcasts) {
            if (address.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            if (std::find(destinations.begin(), destinations.end(), address) == destinations.end())
                destinations.push_back(address);
        }
    }
    return destinations;
}

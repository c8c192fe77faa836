// Where LAN discovery sends its request: the limited broadcast address and the
// broadcast address of every interface that can carry it.
#include "browser/lan/LanDestinations.h"
#include "browser/lan/CKSLanAsyncSocket.h"
#include "browser/list/ServerRecordList.h"

#include <gtest/gtest.h>

namespace {

LanInterface Interface(bool up, bool canBroadcast, std::vector<const char*> broadcasts, bool loopback = false)
{
    LanInterface lan;
    lan.up = up;
    lan.canBroadcast = canBroadcast;
    lan.loopback = loopback;
    for (const char* address : broadcasts)
        lan.broadcasts.push_back(QHostAddress(QString::fromLatin1(address)));
    return lan;
}

std::vector<std::string> Texts(const std::vector<QHostAddress>& addresses)
{
    std::vector<std::string> texts;
    for (const QHostAddress& address : addresses)
        texts.push_back(address.toString().toStdString());
    return texts;
}

} // namespace

TEST(LanDestinations, LimitedBroadcastThenEveryInterfaceThatIsUpAndCanBroadcast)
{
    const std::vector<LanInterface> interfaces = {
        Interface(true, true, {"192.168.1.255"}),                // wired
        Interface(true, true, {"10.0.0.255", "172.16.255.255"}), // two networks on one card
        Interface(false, true, {"192.168.7.255"}),               // down
        Interface(true, false, {"10.8.0.255"}),                  // point-to-point (a VPN)
        Interface(true, true, {"127.255.255.255"}, true),        // loopback
        Interface(true, true, {"192.168.1.255"}),                // a bridge on the same network
        Interface(true, true, {"fe80::ffff"}),                   // not IPv4
        Interface(true, true, {}),                               // no address yet
    };
    const std::vector<std::string> expected = {"255.255.255.255", "192.168.1.255", "10.0.0.255", "172.16.255.255"};
    EXPECT_EQ(Texts(LanDestinations(interfaces)), expected);
    // Without any such interface (no network) the limited broadcast address stays.
    EXPECT_EQ(Texts(LanDestinations({})), std::vector<std::string>{"255.255.255.255"});
}

TEST(LanDestinations, TheSocketSendsToTheInterfacesUnlessATestTargetIsSet)
{
    ServerRecordList list;
    CKSLanAsyncSocket socket(list);
    EXPECT_EQ(Texts(socket.Destinations()), Texts(LanDestinations(SystemLanInterfaces())));
    socket.SetTarget(QHostAddress(QHostAddress::LocalHost));
    EXPECT_EQ(Texts(socket.Destinations()), std::vector<std::string>{"127.0.0.1"});
}

// Server records turned into join targets.
#include "browser/list/ServerJoinTarget.h"
#include "browser/record/CServerInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(ServerJoinTargetTest, CarriesWhatTheJoinChecks)
{
    CServerInfo server("127.0.0.1", 27016);
    server.name = "Yard";
    server.protocol = 44;
    server.password = true;
    const JoinTarget target = JoinTargetFor(server);
    EXPECT_EQ(target.address, "127.0.0.1");
    EXPECT_EQ(target.port, 27016);
    EXPECT_EQ(target.protocol, 44);
    EXPECT_TRUE(target.needsPassword);
    EXPECT_EQ(target.name, "Yard");
    EXPECT_FALSE(target.addressHasPort);
}

TEST(ServerJoinTargetTest, AddressWithItsPortStaysOneText)
{
    CServerInfo server("127.0.0.1:27020", 27015);
    const JoinTarget target = JoinTargetFor(server);
    EXPECT_TRUE(target.addressHasPort);
    EXPECT_FALSE(target.needsPassword);
    EXPECT_EQ(target.protocol, 0);
}

} // namespace

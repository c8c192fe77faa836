// kestrel-peer's online-service options and the credentials it issues.
#include "online/service/AuthContext.h"
#include "online/service/DirRequest.h"
#include "peer/PeerNetwork.h"
#include "peer/PeerOptions.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(OnlineOptions, AreReadIntoTheServiceConfig)
{
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer", "--count", "0", "--online", "6001", "--online-factories", "2",
                                  "--online-room", "Den", "--online-room", "Yard", "--online-fault", "stall:2",
                                  "--online-fault", "tamper", "--keys", "/tmp/k"},
                                 options, error))
        << error;
    ASSERT_TRUE(options.online);
    EXPECT_EQ(options.online->directoryPort, 6001);
    EXPECT_EQ(options.online->factories, 2);
    EXPECT_EQ(options.online->rooms, (std::vector<std::string>{"Den", "Yard"}));
    ASSERT_EQ(options.online->faults.size(), 2u);
    EXPECT_EQ(options.online->faults[0], std::make_pair(OnlineFault::Stall, 2));
    EXPECT_EQ(options.online->faults[1], std::make_pair(OnlineFault::TamperCiphertext, -1));
    EXPECT_EQ(options.online->keyFolder, "/tmp/k");
    EXPECT_FALSE(options.issue);

    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer"}, options, error));
    EXPECT_FALSE(options.online);
}

TEST(OnlineOptions, BadValuesAreRefused)
{
    const std::vector<QStringList> bad = {
        {"kestrel-peer", "--online", "70000"},
        {"kestrel-peer", "--online", "0", "--online-fault", "sulk"},
        {"kestrel-peer", "--online", "0", "--online-fault", "stall:0"},
        {"kestrel-peer", "--online", "0", "--online-fault", "stall:x"},
        {"kestrel-peer", "--online", "0", "--online-factories", "0"},
        {"kestrel-peer", "--issue-credentials", "Name"},
        {"kestrel-peer", "--issue-credentials", "Name", "--out", "f", "--valid-days", "-1"},
    };
    for (const QStringList& arguments : bad) {
        PeerOptions options;
        std::string error;
        EXPECT_FALSE(ParsePeerOptions(arguments, options, error)) << arguments.join(' ').toStdString();
        EXPECT_FALSE(error.empty());
    }
}

TEST(OnlineOptions, IssuedCredentialsSignInAgainstTheServiceOfTheSameKeyFolder)
{
    QTemporaryDir folder;
    const QString keys = folder.path() + "/keys";
    const QString out = folder.path() + "/credentials";
    PeerOptions options;
    std::string error;
    ASSERT_TRUE(ParsePeerOptions({"kestrel-peer", "--issue-credentials", "Player", "--out", out, "--keys", keys,
                                  "--valid-days", "2", "--count", "0", "--online", "0"},
                                 options, error))
        << error;
    ASSERT_TRUE(options.issue);
    ASSERT_TRUE(IssueCredentialsFile(*options.issue, error)) << error;

    PeerNetwork network;
    ASSERT_TRUE(network.Start(options, error)) << error;
    ASSERT_NE(network.Online(), nullptr);
    AuthContext context(out.toStdString());
    ASSERT_TRUE(context.IsSignedIn()) << context.LastError();
    EXPECT_LT(context.Certificate()->expiry - context.ServiceNow(), 2 * 86400 + 1);

    DirRequest request("127.0.0.1", network.Online()->DirectoryPort());
    std::vector<std::string> lines;
    request.SetDiagnostics([&lines](const std::string& line) { lines.push_back(line); });
    request.SetAuth(&context, true, true, true);
    ReadBuffer reader;
    EXPECT_EQ(request.GetDirectory(u"/Kestrel/Public", reader), 1u);
    EXPECT_TRUE(lines.empty());
}

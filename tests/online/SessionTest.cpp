// The session layer against the loopback online service: authentication, a session
// that outlives its connection, renewal after expiry, and every fault of the service
// ending in its diagnostic line and a failed request.
#include "OnlineServiceFixture.h"
#include "online/service/AuthMessages.h"
#include "online/service/Credentials.h"
#include "online/service/EasyPylonSocket.h"
#include "online/service/SocketResult.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

std::vector<std::string> RoomNames(ReadBuffer& reader, uint32_t count)
{
    std::vector<std::string> names;
    for (const DirEntry& entry : ReadDirEntries(reader, count))
        names.emplace_back(entry.displayName.begin(), entry.displayName.end());
    return names;
}

} // namespace

using SessionRoundTrip = OnlineServiceFixture;

TEST_F(SessionRoundTrip, AuthenticatesOnceAndReusesTheKeyOnANewConnection)
{
    ASSERT_EQ(List(), 2u);
    EXPECT_EQ(RoomNames(reader, 2), (std::vector<std::string>{"Lobby", "Arena"}));
    EXPECT_TRUE(directory->HasSessionKey());
    EXPECT_EQ(directory->OutSequence(), 2);
    const uint16_t session = directory->SessionId();

    // The second request opens a new connection, sends sequence number 2 under the
    // same key and expects reply number 2.
    ASSERT_EQ(List(u"/Kestrel"), 2u);
    EXPECT_EQ(directory->OutSequence(), 3);
    EXPECT_EQ(directory->InSequence(), 3);
    EXPECT_EQ(directory->SessionId(), session);
    EXPECT_EQ(directory->Authentications(), 1);
    EXPECT_EQ(service->Authentications(), 1);
    EXPECT_EQ(service->Sessions(), 1u);
    EXPECT_TRUE(lines.empty());
}

TEST_F(SessionRoundTrip, AnExpiredSessionAuthenticatesAgainOnTheNextTry)
{
    ASSERT_EQ(List(), 2u);
    service->Faults().Set(OnlineFault::ExpireSession, 1);
    ASSERT_EQ(List(), 2u);
    EXPECT_EQ(lines, (std::vector<std::string>{"Session key has expired...\n", "Retrying...\n"}));
    EXPECT_EQ(directory->Authentications(), 2);
    // Sequence numbers started over with the new key.
    EXPECT_EQ(directory->OutSequence(), 2);
}

TEST_F(SessionRoundTrip, AnyFailedExchangeDropsTheKeyAndTheRetryAuthenticatesAgain)
{
    ASSERT_EQ(List(), 2u);
    service->Faults().Set(OnlineFault::RepeatSequence, 1);
    ASSERT_EQ(List(), 2u);
    EXPECT_EQ(lines, (std::vector<std::string>{"Invalid sequence number received.\n", "Retrying...\n"}));
    EXPECT_EQ(directory->Authentications(), 2);
    EXPECT_EQ(directory->OutSequence(), 2);
}

TEST_F(SessionRoundTrip, ChangingTheServerForcesANewAuthentication)
{
    ASSERT_EQ(List(), 2u);
    directory->SetServer("localhost", service->DirectoryPort());
    EXPECT_FALSE(directory->HasSessionKey());
    ASSERT_EQ(List(), 2u);
    EXPECT_EQ(directory->Authentications(), 2);
}

TEST_F(SessionRoundTrip, SessionedWithoutEncryptionGoesOutUnauthenticated)
{
    directory->SetAuth(context.get(), false, true, true);
    EXPECT_EQ(lines, (std::vector<std::string>{"Can't have authenticated sessioned unencrypted communication.\n"}));
    ASSERT_EQ(List(), 2u);
    EXPECT_EQ(service->Authentications(), 0);
}

TEST_F(SessionRoundTrip, AServerCertificateFromAnotherVerifierIsRefused)
{
    std::string error;
    auto strangers = PeerKeys::Open("", error);
    auto credentials = service->Keys().IssueCredentials("Tester", int64_t(std::time(nullptr)), 3600);
    credentials->keyBlock = strangers->KeyBlock().Serialize();
    AuthContext misled(*credentials);
    directory->SetAuth(&misled, true, true, true);
    EXPECT_EQ(List(), 0u);
    EXPECT_EQ(Count("Unable to authenticate.\n"), 3);
    EXPECT_EQ(misled.LastError(), "Buffer is invalid.");
}

TEST_F(SessionRoundTrip, AnOwnCertificateAboutToExpireIsNotUsed)
{
    const int64_t now = int64_t(std::time(nullptr));
    auto credentials = service->Keys().IssueCredentials("Tester", now, 20);
    AuthContext nearlyExpired(*credentials);
    EXPECT_TRUE(nearlyExpired.IsSignedIn());
    directory->SetAuth(&nearlyExpired, true, true, true);
    EXPECT_EQ(List(), 0u);
    EXPECT_EQ(Count("Unable to authenticate.\n"), 3);
    EXPECT_EQ(service->Authentications(), 0);
}

TEST_F(SessionRoundTrip, ConcurrentClientsAuthenticateWhileOthersSendBadResponses)
{
    // Connection threads share the server's key; run with ThreadSanitizer to see them
    // take turns with it.
    const auto credentials =
        service->Keys().IssueCredentials("Other", int64_t(std::time(nullptr)), PeerKeys::kDefaultPlayerLifetime);
    ASSERT_TRUE(credentials);
    std::atomic<int> listed{0};
    std::vector<std::thread> clients;
    for (int t = 0; t < 3; ++t) {
        clients.emplace_back([&] {
            AuthContext own(*credentials);
            for (int i = 0; i < 3; ++i) {
                DirRequest request("127.0.0.1", service->DirectoryPort());
                request.SetDiagnostics([](const std::string&) {});
                request.SetAuth(&own, true, true, true);
                ReadBuffer rooms;
                if (request.GetDirectory(u"/Kestrel/Public", rooms) == 2)
                    ++listed;
            }
        });
        clients.emplace_back([&] {
            for (int i = 0; i < 3; ++i) {
                EasyPylonSocket socket(EasySocket::kStream, EasyPylonSocket::kMaxMessage);
                ASSERT_EQ(socket.Connect("127.0.0.1", service->DirectoryPort(), 1000, 1), ES_NO_ERROR);
                WriteBuffer message(256);
                AuthMessages::ComposeRequest(message, {AuthMessages::kModeSession, true, false, credentials->certificate});
                std::vector<uint8_t> reply(EasyPylonSocket::kMaxMessage);
                uint32_t type = 0;
                ASSERT_EQ(socket.Send(message.Data(), message.Size(), nullptr, 1000), ES_NO_ERROR);
                ASSERT_EQ(socket.RecvMessage(reply.data(), uint32_t(reply.size()), nullptr, nullptr, &type, 2000),
                          ES_NO_ERROR);
                EXPECT_EQ(type, AuthMessages::kChallenge);
                AuthMessages::ComposeResponse(message, CryptoBytes(100, 7));
                ASSERT_EQ(socket.Send(message.Data(), message.Size(), nullptr, 1000), ES_NO_ERROR);
                ASSERT_EQ(socket.RecvMessage(reply.data(), uint32_t(reply.size()), nullptr, nullptr, &type, 2000),
                          ES_NO_ERROR);
                EXPECT_EQ(type, AuthMessages::kStatus);
            }
        });
    }
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(listed, 9);
}

struct FaultCase
{
    OnlineFault fault;
    const char* line;
    const char* lastError;
};

class SessionFaults : public OnlineServiceFixture, public ::testing::WithParamInterface<FaultCase>
{
};

TEST_P(SessionFaults, EndInTheirDiagnosticLineAndAFailedRequest)
{
    const FaultCase& c = GetParam();
    service->Faults().Set(c.fault, -1);
    EXPECT_EQ(List(), 0u);
    EXPECT_EQ(Count(c.line), 3) << ::testing::PrintToString(lines);
    EXPECT_EQ(Count("Retrying...\n"), 2);
    EXPECT_FALSE(directory->HasSessionKey());
    if (c.lastError[0] != '\0') {
        EXPECT_EQ(context->LastError(), c.lastError);
    }
    // Every failed try dropped the key: each of the three authenticated anew.
    EXPECT_EQ(directory->Authentications(), 3);

    service->Faults().Set(c.fault, 0);
    lines.clear();
    EXPECT_EQ(List(), 2u);
    EXPECT_TRUE(lines.empty());
}

INSTANTIATE_TEST_SUITE_P(
    LoopbackService, SessionFaults,
    ::testing::Values(
        FaultCase{OnlineFault::ExpireSession, "Session key has expired...\n", ""},
        FaultCase{OnlineFault::RepeatSequence, "Invalid sequence number received.\n", ""},
        FaultCase{OnlineFault::SkipSequence, "Invalid sequence number received.\n", ""},
        FaultCase{OnlineFault::WrongSessionId, "Invalid session Id received.\n", ""},
        FaultCase{OnlineFault::PlaintextReply, "Error: Received unencrypted message on encrypted channel.\n", ""},
        FaultCase{OnlineFault::TamperCiphertext, "Error decrypting message: Error decrypting message\n", ""},
        FaultCase{OnlineFault::RefuseCertificate, "Unable to authenticate.\n", "Certificate refused by peer."},
        FaultCase{OnlineFault::ExpiredCertificate, "Unable to authenticate.\n", "The server's certificate has expired."},
        FaultCase{OnlineFault::WrongNonce, "Unable to authenticate.\n", "Invalid secret returned by peer."},
        FaultCase{OnlineFault::ShortSecret, "Unable to authenticate.\n", "Invalid secret returned by peer."},
        FaultCase{OnlineFault::BadLength, "Socket error: ES_INVALID_TMSG\n", ""},
        FaultCase{OnlineFault::HugeLength, "Socket error: ES_TMSG_TOO_LARGE\n", ""},
        FaultCase{OnlineFault::Stall, "Timed out.\n", ""},
        FaultCase{OnlineFault::CloseMidMessage, "Socket error: ES_DISCONNECTED\n", ""}),
    [](const ::testing::TestParamInfo<FaultCase>& param) {
        std::string name = OnlineFaultName(param.param.fault);
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

using DirectoryListing = OnlineServiceFixture;

TEST_F(DirectoryListing, AReplyClaimingMoreEntriesThanItHoldsYieldsTheWholeOnes)
{
    service->Faults().Set(OnlineFault::BadCount, 1);
    const uint32_t count = List();
    EXPECT_EQ(count, kMaxDirEntries);
    EXPECT_EQ(RoomNames(reader, count), (std::vector<std::string>{"Lobby", "Arena"}));
}

TEST_F(DirectoryListing, FactoriesAreListedUnderKestrelAndUnknownPathsFail)
{
    const uint32_t count = List(u"/Kestrel");
    const auto entries = ReadDirEntries(reader, count);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].kind, DirEntry::kDirectory);
    EXPECT_EQ(entries[1].name, u"PylonFactoryServer");
    EXPECT_EQ(entries[1].port, service->FactoryPorts().front());
    EXPECT_EQ(entries[1].address, 0x7F000001u);
    EXPECT_EQ(List(u"/Elsewhere"), 0u);
    EXPECT_EQ(lines, (std::vector<std::string>{"Status error getting directory: 1\n"}));
}

TEST_F(DirectoryListing, AFactoryStartsARoomThatTheDirectoryThenLists)
{
    auto factory = MakeRequest<FactoryRequest>(service->FactoryPorts().front());
    const std::string directoryAddress = "127.0.0.1:" + std::to_string(service->DirectoryPort());
    const uint16_t port =
        factory->StartProcess("KSChatServ", directoryAddress, u"/Kestrel/Public", u"Night Owls", "-password hoot");
    ASSERT_NE(port, 0);
    const auto rooms = service->Rooms();
    ASSERT_EQ(rooms.size(), 3u);
    EXPECT_EQ(rooms.back().name, "Night Owls");
    EXPECT_EQ(rooms.back().password, "hoot");
    EXPECT_EQ(rooms.back().port, port);
    ASSERT_EQ(List(), 3u);
    EXPECT_EQ(RoomNames(reader, 3).back(), "Night Owls");

    EXPECT_EQ(factory->StartProcess("Other", directoryAddress, u"/Kestrel/Public", u"X", ""), 0);
    EXPECT_EQ(lines, (std::vector<std::string>{"Factory error: 3\n"}));
}

TEST_F(DirectoryListing, AFactoryRefusesRoomNamesAndPasswordsTooLongForTheListing)
{
    auto factory = MakeRequest<FactoryRequest>(service->FactoryPorts().front());
    const std::string directoryAddress = "127.0.0.1:" + std::to_string(service->DirectoryPort());
    EXPECT_EQ(factory->StartProcess("KSChatServ", directoryAddress, u"/Kestrel/Public", std::u16string(64, u'n'), ""),
              0);
    EXPECT_EQ(factory->StartProcess("KSChatServ", directoryAddress, u"/Kestrel/Public", u"Den",
                                    "-password " + std::string(32, 'p')),
              0);
    EXPECT_EQ(Count("Factory error: 3\n"), 2) << ::testing::PrintToString(lines);
    EXPECT_NE(factory->StartProcess("KSChatServ", directoryAddress, u"/Kestrel/Public", std::u16string(63, u'n'),
                                    "-password " + std::string(31, 'p')),
              0);
    EXPECT_EQ(service->Rooms().size(), 3u);
    // Names that long, taken, would make every later listing too large to receive.
    for (int i = 0; i < 3; ++i)
        factory->StartProcess("KSChatServ", directoryAddress, u"/Kestrel/Public", std::u16string(16000, u'x'), "");
    EXPECT_EQ(List(), 3u);
}

TEST(OnlineServiceConnections, IdleClientsLoseTheirConnectionsSoOthersGetIn)
{
    std::string error;
    auto keys = PeerKeys::Open("", error);
    ASSERT_TRUE(keys) << error;
    OnlineServiceConfig config;
    config.idleTimeoutMs = 1000;
    PeerOnlineService service(config, std::move(*keys));
    ASSERT_TRUE(service.Start(error)) << error;
    ServiceTimeouts timeouts;
    timeouts.connect = 500;
    timeouts.receiveReply = 500;
    auto listed = [&] {
        DirRequest request("127.0.0.1", service.DirectoryPort());
        request.SetTimeouts(timeouts);
        request.SetDiagnostics([](const std::string&) {});
        ReadBuffer rooms;
        return request.GetDirectory(u"/Kestrel/Public", rooms) == 1;
    };
    // Clients that connect and never send fill every connection slot.
    std::vector<std::unique_ptr<EasyPylonSocket>> idle;
    for (int i = 0; i < 64; ++i) {
        idle.push_back(std::make_unique<EasyPylonSocket>(EasySocket::kStream, EasyPylonSocket::kMaxMessage));
        ASSERT_EQ(idle.back()->Connect("127.0.0.1", service.DirectoryPort(), 500, 1), ES_NO_ERROR);
    }
    const auto start = std::chrono::steady_clock::now();
    bool full = false;
    while (!full && std::chrono::steady_clock::now() - start < std::chrono::milliseconds(900))
        full = !listed();
    ASSERT_TRUE(full);
    bool served = false;
    while (!served && std::chrono::steady_clock::now() - start < std::chrono::seconds(10))
        served = listed();
    EXPECT_TRUE(served);
}

TEST(CredentialsFile, IsWrittenOwnerOnlyAndSignsThePlayerIn)
{
    QTemporaryDir folder;
    std::string error;
    auto keys = PeerKeys::Open((folder.path() + "/keys").toStdString(), error);
    ASSERT_TRUE(keys) << error;
    // The key folder keeps the same verifier key across openings.
    auto again = PeerKeys::Open((folder.path() + "/keys").toStdString(), error);
    EXPECT_EQ(again->Verifier().PublicKey().key, keys->Verifier().PublicKey().key);

    const std::string path = (folder.path() + "/sub/credentials").toStdString();
    const auto credentials = keys->IssueCredentials("Tester", int64_t(std::time(nullptr)), 3600);
    ASSERT_TRUE(SaveCredentialsFile(path, *credentials, error)) << error;
    EXPECT_EQ(QFile::permissions(QString::fromStdString(path)),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);
    AuthContext context(path);
    EXPECT_TRUE(context.IsSignedIn());
    ASSERT_NE(context.Certificate(), nullptr);
    EXPECT_EQ(context.Certificate()->subject, "Tester");

    AuthContext missing((folder.path() + "/none").toStdString());
    EXPECT_FALSE(missing.IsSignedIn());

    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("x", 1);
    file.close();
    EXPECT_FALSE(context.Renew());
    EXPECT_FALSE(context.IsSignedIn());
}

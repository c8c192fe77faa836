// Directory and factory replies, table-driven: a scripted server answers one plain
// request with the bytes of each case.
#include "ScriptedServer.h"
#include "online/service/DirRequest.h"
#include "online/service/FactoryRequest.h"
#include "online/service/ServiceMessage.h"

#include <gtest/gtest.h>

namespace {

struct Body
{
    std::vector<uint8_t> bytes;
    Body& Short(uint16_t v)
    {
        bytes.push_back(uint8_t(v));
        bytes.push_back(uint8_t(v >> 8));
        return *this;
    }
    Body& Byte(uint8_t v)
    {
        bytes.push_back(v);
        return *this;
    }
    Body& Long(uint32_t v)
    {
        return Short(uint16_t(v)).Short(uint16_t(v >> 16));
    }
    Body& Wide(const std::u16string& text)
    {
        Short(uint16_t(text.size()));
        for (char16_t c : text)
            Short(uint16_t(c));
        return *this;
    }
    Body& Big(const std::vector<uint8_t>& raw)
    {
        bytes.insert(bytes.end(), raw.begin(), raw.end());
        return *this;
    }
    // A service entry at address a.b.c.d:port with n trailing bytes.
    Body& Service(const std::u16string& name, const std::u16string& display, std::vector<uint8_t> address,
                  uint16_t port, uint16_t trailing = 0)
    {
        Byte('S').Wide(u"").Wide(name).Wide(display).Long(0).Long(0).Wide(u"").Wide(u"").Wide(u"").Short(0);
        Big({uint8_t(port >> 8), uint8_t(port)}).Big(address).Short(trailing);
        return Big(std::vector<uint8_t>(trailing, 0xEE));
    }
    Body& Directory(const std::u16string& name)
    {
        return Byte('D').Wide(u"").Wide(name).Wide(name).Long(0).Long(0).Byte(0);
    }
};

// Serves one request with a reply of the given service, message type and body.
struct OneReply
{
    OneReply(uint32_t service, uint32_t type, std::vector<uint8_t> body)
        : server([service, type, body](int client) {
              if (ScriptedServer::ReadMessage(client).empty())
                  return;
              ScriptedServer::SendAll(client, ServiceBytes(service, type, body));
              ScriptedServer::WaitForClose(client);
          })
    {
    }
    ScriptedServer server;
};

template <typename Request>
std::unique_ptr<Request> Plain(uint16_t port, std::vector<std::string>& lines)
{
    auto request = std::make_unique<Request>("127.0.0.1", port);
    ServiceTimeouts timeouts;
    timeouts.receiveReply = 2000;
    request->SetTimeouts(timeouts);
    request->SetDiagnostics([&lines](const std::string& line) { lines.push_back(line); });
    return request;
}

} // namespace

TEST(DirectoryReplies, StatusCountAndEntries)
{
    struct Case
    {
        const char* what;
        std::vector<uint8_t> body;
        uint32_t count;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"empty", Body().Short(0).Short(0).bytes, 0, {}},
        {"status only", Body().Short(0).bytes, 0, {"Invalid message received from directory server.\n"}},
        {"nothing", {}, 0, {"Invalid message received from directory server.\n"}},
        {"status error", Body().Short(uint16_t(-2)).Short(0).bytes, 0, {"Status error getting directory: -2\n"}},
        {"two rooms",
         Body().Short(0).Short(2).Service(u"KSChatServ", u"Lobby", {127, 0, 0, 1}, 6100).Directory(u"Sub").bytes,
         2,
         {}},
        {"count above the limit", Body().Short(0).Short(60000).bytes, kMaxDirEntries, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OneReply reply(DirRequest::kService, DirRequest::kReply, c.body);
        std::vector<std::string> lines;
        auto request = Plain<DirRequest>(reply.server.Port(), lines);
        ReadBuffer reader;
        EXPECT_EQ(request->GetDirectory(u"/Kestrel/Public", reader), c.count);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(DirectoryReplies, WrongServiceOrMessageTypeFails)
{
    struct Case
    {
        uint32_t service, type;
        const char* line;
    };
    for (const Case c : {Case{31, 3, "Invalid service type received from server.\n"},
                         Case{30, 4, "Invalid message type received from server.\n"}}) {
        OneReply reply(c.service, c.type, Body().Short(0).Short(0).bytes);
        std::vector<std::string> lines;
        auto request = Plain<DirRequest>(reply.server.Port(), lines);
        // The retries meet a server that answers only once.
        ServiceTimeouts quick;
        quick.receiveReply = 50;
        request->SetTimeouts(quick);
        ReadBuffer reader;
        EXPECT_EQ(request->GetDirectory(u"/Kestrel", reader), 0u);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), c.line);
    }
}

TEST(DirectoryEntries, OnlyWholeReachableEntriesAreKept)
{
    const Body body = Body()
                          .Service(u"KSChatServ", u"Lobby", {127, 0, 0, 1}, 6100, 3)
                          .Directory(u"Public")
                          .Service(u"KSChatServ", u"No port", {127, 0, 0, 1}, 0)
                          .Service(u"KSChatServ", u"Multicast", {224, 0, 0, 1}, 6100)
                          .Service(u"KSChatServ", u"Broadcast", {255, 255, 255, 255}, 6100)
                          .Service(u"KSChatServ", u"Nowhere", {0, 0, 0, 0}, 6100)
                          .Service(u"PylonFactoryServer", u"Factory", {10, 1, 2, 3}, 27015);
    ReadBuffer reader(body.bytes.data(), uint32_t(body.bytes.size()));
    const auto entries = ReadDirEntries(reader, 7);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].displayName, u"Lobby");
    EXPECT_EQ(entries[0].port, 6100);
    EXPECT_EQ(entries[0].address, 0x7F000001u);
    EXPECT_EQ(entries[0].extraLength, 3);
    EXPECT_EQ(entries[1].kind, DirEntry::kDirectory);
    EXPECT_EQ(entries[2].name, u"PylonFactoryServer");
    EXPECT_EQ(DottedAddress(entries[2].address), "10.1.2.3");

    // A list cut inside its second entry yields the first only, whatever the count says.
    const Body two = Body().Service(u"A", u"A", {127, 0, 0, 1}, 1).Service(u"B", u"B", {127, 0, 0, 1}, 2);
    for (size_t cut = 0; cut < two.bytes.size(); ++cut) {
        ReadBuffer partial(two.bytes.data(), uint32_t(cut));
        const size_t expected = cut >= two.bytes.size() / 2 ? 1 : 0;
        EXPECT_EQ(ReadDirEntries(partial, 60000).size(), expected) << cut;
    }
}

TEST(FactoryReplies, StatusCountAndPort)
{
    struct Case
    {
        const char* what;
        std::vector<uint8_t> body;
        uint16_t port;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"started", Body().Short(2).Byte(1).Short(27015).bytes, 27015, {}},
        {"status 0", Body().Short(0).Byte(1).Short(27015).bytes, 0, {"Factory error: 0\n"}},
        {"negative", Body().Short(uint16_t(-4)).Byte(1).Short(0).bytes, 0, {"Status error in start process: -4\n"}},
        {"negative alone", Body().Short(uint16_t(-4)).bytes, 0, {"Status error in start process: -4\n"}},
        {"count 2", Body().Short(2).Byte(2).Short(27015).bytes, 0, {"Invalid message received from factory.\n"}},
        {"short", Body().Short(2).Byte(1).bytes, 0, {"Invalid message received from factory.\n"}},
        {"empty", {}, 0, {"Invalid message received from factory.\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OneReply reply(FactoryRequest::kService, FactoryRequest::kReply, c.body);
        std::vector<std::string> lines;
        auto request = Plain<FactoryRequest>(reply.server.Port(), lines);
        EXPECT_EQ(request->StartProcess("KSChatServ", "127.0.0.1:1", u"/Kestrel/Public", u"Room", ""), c.port);
        EXPECT_EQ(lines, c.lines);
    }
}

TEST(FactoryReplies, TheRequestCarriesItsFieldsInOrder)
{
    std::vector<uint8_t> seen;
    ScriptedServer server([&seen](int client) {
        seen = ScriptedServer::ReadMessage(client);
        ScriptedServer::SendAll(client, ServiceBytes(10, 1, Body().Short(2).Byte(1).Short(6101).bytes));
        ScriptedServer::WaitForClose(client);
    });
    std::vector<std::string> lines;
    auto request = Plain<FactoryRequest>(server.Port(), lines);
    ASSERT_EQ(request->StartProcess("KSChatServ", "127.0.0.1:6000", u"/Kestrel/Public", u"Den", "-password pw"), 6101);
    std::vector<uint8_t> expected = ServiceBytes(10, 2, {});
    auto narrow = [&](const std::string& s) {
        expected.push_back(uint8_t(s.size()));
        expected.push_back(0);
        expected.insert(expected.end(), s.begin(), s.end());
    };
    narrow("KSChatServ");
    expected.push_back(1);
    narrow("-password pw");
    for (uint8_t b : {0xE8, 0x03, 0x00, 0x00})
        expected.push_back(b);
    narrow("127.0.0.1:6000");
    const std::vector<uint8_t> tail = Body()
                                          .Wide(u"Den")
                                          .Wide(u"/Kestrel/Public")
                                          .Byte(1)
                                          .Byte(1)
                                          .Byte(0)
                                          .Short(0)
                                          .bytes;
    expected.insert(expected.end(), tail.begin(), tail.end());
    const uint32_t length = uint32_t(expected.size());
    for (int i = 0; i < 4; ++i)
        expected[size_t(i)] = uint8_t(length >> (8 * i));
    EXPECT_EQ(seen, expected);
}

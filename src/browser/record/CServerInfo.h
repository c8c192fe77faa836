#pragma once
// One game server the browser knows: its address, what its replies said, its players
// and rules, the state of the query in progress and the list's flags.
#include "browser/record/CPlayerInfo.h"
#include "browser/record/ServerRule.h"

#include <array>
#include <cstdint>
#include <forward_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CKSAsyncSocket;
class CToken;

class CServerInfo
{
public:
    static constexpr int kPingSamples = 32;
    static constexpr int kDefaultFullMax = 64;
    // Player slot arrays are never larger: the players reply counts in one byte.
    static constexpr int kMaxPlayerSlots = 256;
    static constexpr size_t kMaxKsVersion = 31;
    static constexpr int kDefaultProxyPort = 27015;

    using PlayerSlots = std::vector<std::unique_ptr<CPlayerInfo>>;

    // Query states; the numbers are also what the server list file stores under
    // "status". 5 and 6 are not used by the query but are kept when a file holds them.
    enum Status : int32_t
    {
        Failed = 0,
        Idle = 1,
        SocketOpen = 2,
        ConnectFailed = 3,
        Connected = 4,
        InfoSent = 7,
        InfoReceived = 8,
        PlayersSent = 9,
        PlayersReceived = 10,
        RulesSent = 11,
        RulesReceived = 12,
        Done = 13,
    };

    CServerInfo(std::string address, int port);
    virtual ~CServerInfo();
    CServerInfo(const CServerInfo&) = delete;
    CServerInfo& operator=(const CServerInfo&) = delete;

    // Stores one key/value pair of the text form; unknown keys are ignored.
    void SetField(const std::string& key, const std::string& value);
    // Appends the record's text form (lines end with CR LF).
    void Write(std::string& out) const;
    // Parses the record's text form from the cursor (which must be in quoted mode);
    // on success the cursor is left after the record's closing brace.
    bool Read(CToken& cursor);

    // Frees the players and makes fullmax empty slots.
    void AllocatePlayerSlots();
    void FreePlayers();
    bool HasPlayerSlots() const { return players.has_value(); }

    void ClearRules();
    // Puts a new rule at the head of the list.
    void AddRule(std::string key, std::string value);

    void SetFiltered(bool flag) { filtered = flag; }
    bool IsFiltered() const { return filtered; }
    uint32_t Serial() const { return serial; }
    void SetInfoTime(double t) { infoTime = t; }
    double InfoTime() const { return infoTime; }
    void ClearPingSamples() { pingSamples.fill(0.0); }

    // Query operations; each returns success.
    bool CreateSocket();
    bool ConnectSocket();
    bool SendInfoRequest();
    bool SendPlayersRequest();
    bool SendRulesRequest();
    bool PreparePlayers();
    void CloseSocket();
    void ResetRetries() { retries = 0; }
    CKSAsyncSocket* Socket() const { return socket.get(); }

    std::forward_list<ServerRule> rules;
    std::string address;
    int32_t port = 0;
    std::string name = "?";
    std::string map = "?";
    std::string game = "Kestrel";
    std::string dir = "HARROW";
    int32_t maxplayers = 0;
    int32_t currentplayers = 0;
    int32_t proxyMaxplayers = 0;
    int32_t proxyCurrentplayers = 0;
    int32_t protocol = 0;
    bool lan = false;
    double svping = 0.0;
    bool noresponse = false;
    int32_t retries = 0;
    double lastSend = 0.0;
    int32_t status = Idle;
    float packetloss = 100.0f;
    std::array<double, kPingSamples> pingSamples{};
    std::string url;
    std::string dl;
    bool mod = false;
    int32_t version = 0;
    int32_t size = 0;
    char svtype = 'l';
    char svos = 'w';
    bool password = false;
    bool svside = true;
    bool cldll = false;
    bool proxytarget = false;
    bool proxy = false;
    std::string proxyaddress;
    uint32_t proxyIp = 0; // network order, as inet_addr gives it
    int32_t proxyPort = 0;
    std::string ksversion; // at most kMaxKsVersion characters
    std::optional<PlayerSlots> players;
    std::unique_ptr<CKSAsyncSocket> socket;
    CServerInfo* next = nullptr;
    CServerInfo* nextCandidate = nullptr;
    bool favorite = false;
    bool ipx = false;
    bool refreshedMark = false;
    bool filtered = false;
    int32_t fullmax = kDefaultFullMax;
    uint32_t serial = 0;
    double infoTime = -1.0;

private:
    bool ReadRulesBlock(CToken& cursor);
    bool ReadPlayersBlock(CToken& cursor);
};

// Sets the ksversion field, cut to what it holds.
void SetKsVersion(CServerInfo& record, const std::string& text);
// Splits "host:port" into the proxy ip and port fields.
void SetProxyAddress(CServerInfo& record, const std::string& text);

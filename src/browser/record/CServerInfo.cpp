#include "browser/record/CServerInfo.h"

#include "app/settings/LauncherState.h"
#include "app/text/TextCase.h"
#include "browser/query/CKSAsyncSocket.h"
#include "platform/NumberText.h"

#include <arpa/inet.h>

#include <algorithm>

namespace {
uint32_t g_nextSerial = 0;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
} // namespace

CServerInfo::CServerInfo(std::string serverAddress, int serverPort)
    : address(std::move(serverAddress)), port(serverPort), serial(g_nextSerial++)
{
    SetKsVersion(*this, Launcher().patchVersion);
}

CServerInfo::~CServerInfo() = default;

void SetKsVersion(CServerInfo& record, const std::string& text)
{
    record.ksversion = text.substr(0, CServerInfo::kMaxKsVersion);
}

void SetProxyAddress(CServerInfo& record, const std::string& text)
{
    record.proxyaddress = text;
    const size_t colon = text.find(':');
    const std::string host = text.substr(0, colon);
    record.proxyIp = inet_addr(host.c_str());
    record.proxyPort = colon == std::string::npos ? CServerInfo::kDefaultProxyPort
                                                  : ParseInt(std::string_view(text).substr(colon + 1));
}

void CServerInfo::SetField(const std::string& key, const std::string& value)
{
    struct TextField
    {
        const char* key;
        std::string CServerInfo::*field;
    };
    struct IntField
    {
        const char* key;
        int32_t CServerInfo::*field;
    };
    struct FlagField
    {
        const char* key;
        bool CServerInfo::*field;
    };
    static const TextField texts[] = {
        {"address", &CServerInfo::address}, {"name", &CServerInfo::name}, {"map", &CServerInfo::map},
        {"game", &CServerInfo::game},       {"dir", &CServerInfo::dir},   {"url", &CServerInfo::url},
        {"dl", &CServerInfo::dl},
    };
    static const IntField ints[] = {
        {"port", &CServerInfo::port},
        {"maxplayers", &CServerInfo::maxplayers},
        {"currentplayers", &CServerInfo::currentplayers},
        {"protocol", &CServerInfo::protocol},
        {"version", &CServerInfo::version},
        {"size", &CServerInfo::size},
        {"status", &CServerInfo::status},
    };
    static const FlagField flags[] = {
        {"favorite", &CServerInfo::favorite},
        {"ipx", &CServerInfo::ipx},
        {"mod", &CServerInfo::mod},
        {"password", &CServerInfo::password},
        {"svside", &CServerInfo::svside},
        {"cldll", &CServerInfo::cldll},
        {"lan", &CServerInfo::lan},
        {"noresponse", &CServerInfo::noresponse},
        {"filtered", &CServerInfo::filtered},
        {"proxy", &CServerInfo::proxy},
        {"proxytarget", &CServerInfo::proxytarget},
    };
    for (const auto& f : texts)
        if (SameText(key, f.key)) {
            this->*f.field = value;
            return;
        }
    for (const auto& f : ints)
        if (SameText(key, f.key)) {
            this->*f.field = ParseInt(value);
            return;
        }
    for (const auto& f : flags)
        if (SameText(key, f.key)) {
            this->*f.field = ParseInt(value) != 0;
            return;
        }
    if (SameText(key, "fullmax")) {
        // The slot array is sized from it, so it stays within what can be allocated.
        fullmax = std::clamp(ParseInt(value), 0, kMaxPlayerSlots);
    } else if (SameText(key, "ksversion")) {
        SetKsVersion(*this, value);
    } else if (SameText(key, "svtype")) {
        svtype = value.empty() ? '\0' : value[0];
    } else if (SameText(key, "svos")) {
        svos = value.empty() ? '\0' : value[0];
    } else if (SameText(key, "svping")) {
        svping = ParseDouble(value);
    } else if (SameText(key, "packetloss")) {
        packetloss = NarrowToFloat(ParseDouble(value));
    } else if (SameText(key, "proxyaddress")) {
        SetProxyAddress(*this, value);
    } else if (key.size() == 6 && SameText(key.substr(0, 4), "ping")) {
        // Only ping00 ... ping31 name a sample; anything else would land outside the table.
        if (IsDigit(key[4]) && IsDigit(key[5])) {
            const int index = (key[4] - '0') * 10 + (key[5] - '0');
            if (index < kPingSamples)
                pingSamples[size_t(index)] = ParseDouble(value);
        }
    }
}

void CServerInfo::AllocatePlayerSlots()
{
    FreePlayers();
    fullmax = std::clamp(fullmax, 0, kMaxPlayerSlots);
    players.emplace();
    players->resize(size_t(fullmax));
}

void CServerInfo::FreePlayers()
{
    players.reset();
}

void CServerInfo::ClearRules()
{
    rules.clear();
}

void CServerInfo::AddRule(std::string key, std::string value)
{
    rules.push_front(ServerRule{std::move(key), std::move(value)});
}

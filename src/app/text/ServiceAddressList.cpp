#include "app/text/ServiceAddressList.h"

#include "app/files/SearchPath.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "app/text/CToken.h"
#include "app/text/Messages.h"
#include "platform/NumberText.h"

#include <QDir>
#include <QHostAddress>
#include <QHostInfo>

#include <algorithm>
#include <arpa/inet.h>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <strings.h>

namespace {

ServiceAddressList g_addresses;

constexpr const char kInvalidDomain[] = ".invalid";

bool SameEndpoint(const ServiceAddress& a, const ServiceAddress& b)
{
    return a.port == b.port && strcasecmp(a.host.c_str(), b.host.c_str()) == 0;
}

bool EndsWithIgnoringCase(const std::string& text, const char* suffix)
{
    const size_t length = std::strlen(suffix);
    return text.size() >= length && strcasecmp(text.c_str() + text.size() - length, suffix) == 0;
}

ServiceAddress ParseEntry(const char* token, uint16_t defaultPort)
{
    ServiceAddress address;
    const char* colon = std::strchr(token, ':');
    if (colon) {
        address.host.assign(token, size_t(colon - token));
        address.port = uint16_t(unsigned(ParseInt(colon + 1)));
    } else {
        address.host = token;
        address.port = defaultPort;
    }
    if (address.host.size() > ServiceAddress::kMaxHost)
        address.host.resize(ServiceAddress::kMaxHost);
    return address;
}

void Rotate(ServiceAddressList::List& list, const ServiceAddressList::Random& random)
{
    if (list.size() <= 1)
        return;
    const size_t places = size_t(random() & ServiceAddressList::kRotationMask) % list.size();
    std::rotate(list.begin(), list.end() - std::ptrdiff_t(places), list.end());
}

} // namespace

void ServiceAddressList::Clear()
{
    m_pylon.clear();
    m_auth.clear();
    m_master.clear();
    m_modServer.clear();
    m_chat.clear();
    m_masterCursor = kHead;
    m_modMasterCursor = kHead;
}

bool ServiceAddressList::Load(const std::string& fileName)
{
    const std::unique_ptr<char[]> text = LoadFile(fileName);
    if (!text)
        return false;
    Parse(text.get(), fileName);
    return true;
}

void ServiceAddressList::Append(List& list, ServiceAddress address)
{
    for (const ServiceAddress& existing : list)
        if (SameEndpoint(existing, address))
            return;
    list.push_back(std::move(address));
}

void ServiceAddressList::AppendAddress(Section section, const std::string& host, uint16_t port)
{
    List& list = section == Section::Auth ? m_auth : section == Section::Pylon ? m_pylon : m_master;
    ServiceAddress address;
    address.host = host.substr(0, ServiceAddress::kMaxHost);
    address.port = port;
    Append(list, std::move(address));
}

void ServiceAddressList::Parse(const char* text, const std::string& fileName)
{
    struct Section
    {
        const char* name;
        List* list;
        uint16_t defaultPort;
    };
    const Section sections[] = {
        {"Pylon", &m_pylon, kPylonPort},
        {"Auth", &m_auth, kAuthPort},
        {"Master", &m_master, kMasterPort},
        {"ModServer", &m_modServer, kModMasterPort},
    };

    CToken token(text);
    token.SetSkipComments(true);
    for (;;) {
        token.NextToken();
        if (token.Empty())
            return;
        const Section* section = nullptr;
        for (const Section& candidate : sections)
            if (strcasecmp(candidate.name, token.Token()) == 0)
                section = &candidate;
        if (!section) {
            ShowFormattedMessage(kUnknownSectionMessage, fileName.c_str());
            return;
        }
        token.NextToken();
        if (std::strcmp(token.Token(), "{") != 0) {
            ShowFormattedMessage(kMissingOpenBraceMessage, fileName.c_str());
            return;
        }
        for (;;) {
            token.NextToken();
            if (token.Empty()) {
                ShowFormattedMessage(kMissingCloseBraceMessage, fileName.c_str());
                return;
            }
            if (strcasecmp(token.Token(), "}") == 0)
                break;
            Append(*section->list, ParseEntry(token.Token(), section->defaultPort));
        }
    }
}

void ServiceAddressList::Shuffle(const Random& random)
{
    const Random draw = random ? random : Random([] { return std::rand(); });
    for (List* list : {&m_auth, &m_master, &m_pylon, &m_modServer})
        Rotate(*list, draw);
}

std::string ServiceAddressList::DottedAddress(uint32_t address)
{
    return std::to_string(address >> 24) + '.' + std::to_string((address >> 16) & 0xFF) + '.' +
           std::to_string((address >> 8) & 0xFF) + '.' + std::to_string(address & 0xFF);
}

std::optional<uint32_t> ServiceAddressList::LookUpHost(const std::string& name)
{
    if (name.empty() || EndsWithIgnoringCase(name, kInvalidDomain) || EndsWithIgnoringCase(name, ".invalid."))
        return std::nullopt;
    const QHostInfo info = QHostInfo::fromName(QString::fromStdString(name));
    if (info.error() != QHostInfo::NoError)
        return std::nullopt;
    for (const QHostAddress& address : info.addresses())
        if (address.protocol() == QAbstractSocket::IPv4Protocol)
            return address.toIPv4Address();
    return std::nullopt;
}

void ServiceAddressList::ResolveAll(const Resolver& resolver)
{
    const Resolver lookUp = resolver ? resolver : Resolver(&LookUpHost);
    for (List* list : {&m_pylon, &m_auth, &m_master, &m_modServer}) {
        for (ServiceAddress& entry : *list) {
            std::optional<uint32_t> address;
            if (!entry.host.empty() && entry.host[0] >= '0' && entry.host[0] <= '9') {
                in_addr parsed{};
                if (inet_aton(entry.host.c_str(), &parsed))
                    address = ntohl(parsed.s_addr);
            } else {
                address = lookUp(entry.host);
            }
            if (address)
                entry.host = DottedAddress(*address);
        }
    }
    RemoveDuplicates();
}

void ServiceAddressList::RemoveDuplicates(List& list)
{
    List kept;
    for (size_t i = 0; i < list.size(); ++i) {
        const bool laterTwin = std::any_of(list.begin() + std::ptrdiff_t(i) + 1, list.end(),
                                           [&](const ServiceAddress& other) { return SameEndpoint(list[i], other); });
        if (!laterTwin)
            kept.push_back(list[i]);
    }
    list = std::move(kept);
}

void ServiceAddressList::RemoveDuplicates()
{
    for (List* list : {&m_pylon, &m_auth, &m_master, &m_modServer})
        RemoveDuplicates(*list);
    // Entries may have gone from under the cursors.
    m_masterCursor = std::min(m_masterCursor, int(m_master.size()));
    m_modMasterCursor = std::min(m_modMasterCursor, int(m_modServer.size()));
}

void ServiceAddressList::DemoteFailed()
{
    std::stable_partition(m_pylon.begin(), m_pylon.end(), [](const ServiceAddress& a) { return !a.demoted; });
    for (ServiceAddress& entry : m_pylon)
        entry.demoted = false;
}

bool ServiceAddressList::Step(const List& list, int& cursor)
{
    if (cursor < int(list.size()))
        ++cursor;
    return cursor < int(list.size());
}

std::string ServiceAddressList::CurrentHost(const List& list, int cursor)
{
    // On the head, and past the end, the built-in master stands in.
    if (cursor < 0 || cursor >= int(list.size()))
        return kDefaultMasterHost;
    return list[size_t(cursor)].host;
}

uint16_t ServiceAddressList::CurrentPort(const List& list, int cursor, uint16_t defaultPort)
{
    if (cursor < 0 || cursor >= int(list.size()))
        return defaultPort;
    return list[size_t(cursor)].port;
}

ServiceAddressList& ServiceAddresses()
{
    return g_addresses;
}

void LoadServiceAddresses()
{
    ServiceAddressList& list = ServiceAddresses();
    list.Clear();
    std::string fileName = ServiceAddressList::kDefaultFileName;
    std::string value;
    if (FindOption("-comm", &value) && !value.empty())
        fileName = value;
    list.Load(fileName);
    if (!FindOption("-usefirstmaster"))
        list.Shuffle();
    list.SetDirectory(Launcher().baseDirectory);
    QDir::setCurrent(QString::fromStdString(Launcher().baseDirectory));
}

#pragma once
// One endpoint of the service address list: a host (a name or a dotted IPv4 address)
// and a port in host byte order.
#include <cstddef>
#include <cstdint>
#include <string>

struct ServiceAddress
{
    static constexpr size_t kMaxHost = 63; // longer names are cut

    std::string host;
    uint16_t port = 0;
    // Set by a user of the directory-server list when this server failed; the list's
    // DemoteFailed moves such entries to the end and clears the flag.
    bool demoted = false;
};

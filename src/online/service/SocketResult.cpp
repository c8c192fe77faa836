#include "online/service/SocketResult.h"

#include <cerrno>
#include <utility>

namespace {

const char* const kOwnNames[] = {
    "ES_NO_ERROR",        "ES_ERROR_NO_TYPE",     "ES_INVALID_ADDR",   "ES_INVALID_SOCKET",
    "ES_INCOMPLETE_SEND", "ES_INCOMPLETE_RECV",   "ES_DISCONNECTED",   "ES_TMSG_TOO_LARGE",
    "ES_WRONG_TSERVICE",  "ES_WRONG_TMESSAGE",    "ES_INVALID_TMSG",   "ES_PARTIAL_SENDTO",
    "ES_TIMED_OUT",       "ES_ERROR_STREAM_NOT_ALLOWED", "ES_SHUTDOWN",
};

struct WsaError
{
    int32_t number;
    const char* name;
    int posix;
};

// The system's vocabulary, each with the POSIX error that stands for it (0: none).
const WsaError kWsaErrors[] = {
    {10004, "WSAEINTR", EINTR},
    {10009, "WSAEBADF", EBADF},
    {10013, "WSAEACCES", EACCES},
    {10014, "WSAEFAULT", EFAULT},
    {10022, "WSAEINVAL", EINVAL},
    {10024, "WSAEMFILE", EMFILE},
    {10035, "WSAEWOULDBLOCK", EWOULDBLOCK},
    {10036, "WSAEINPROGRESS", EINPROGRESS},
    {10037, "WSAEALREADY", EALREADY},
    {10038, "WSAENOTSOCK", ENOTSOCK},
    {10039, "WSAEDESTADDRREQ", EDESTADDRREQ},
    {10040, "WSAEMSGSIZE", EMSGSIZE},
    {10041, "WSAEPROTOTYPE", EPROTOTYPE},
    {10042, "WSAENOPROTOOPT", ENOPROTOOPT},
    {10043, "WSAEPROTONOSUPPORT", EPROTONOSUPPORT},
    {10044, "WSAESOCKTNOSUPPORT", ESOCKTNOSUPPORT},
    {10045, "WSAEOPNOTSUPP", EOPNOTSUPP},
    {10046, "WSAEPFNOSUPPORT", EPFNOSUPPORT},
    {10047, "WSAEAFNOSUPPORT", EAFNOSUPPORT},
    {10048, "WSAEADDRINUSE", EADDRINUSE},
    {10049, "WSAEADDRNOTAVAIL", EADDRNOTAVAIL},
    {10050, "WSAENETDOWN", ENETDOWN},
    {10051, "WSAENETUNREACH", ENETUNREACH},
    {10052, "WSAENETRESET", ENETRESET},
    {10053, "WSAECONNABORTED", ECONNABORTED},
    {10054, "WSAECONNRESET", ECONNRESET},
    {10055, "WSAENOBUFS", ENOBUFS},
    {10056, "WSAEISCONN", EISCONN},
    {10057, "WSAENOTCONN", ENOTCONN},
    {10058, "WSAESHUTDOWN", ESHUTDOWN},
    {10059, "WSAETOOMANYREFS", ETOOMANYREFS},
    {10060, "WSAETIMEDOUT", ETIMEDOUT},
    {10061, "WSAECONNREFUSED", ECONNREFUSED},
    {10062, "WSAELOOP", ELOOP},
    {10063, "WSAENAMETOOLONG", ENAMETOOLONG},
    {10064, "WSAEHOSTDOWN", EHOSTDOWN},
    {10065, "WSAEHOSTUNREACH", EHOSTUNREACH},
    {10066, "WSAENOTEMPTY", ENOTEMPTY},
    {10067, "WSAEPROCLIM", 0},
    {10068, "WSAEUSERS", EUSERS},
    {10069, "WSAEDQUOT", EDQUOT},
    {10070, "WSAESTALE", ESTALE},
    {10071, "WSAEREMOTE", EREMOTE},
    {10091, "WSASYSNOTREADY", 0},
    {10092, "WSAVERNOTSUPPORTED", 0},
    {10093, "WSANOTINITIALISED", 0},
    {10101, "WSAEDISCON", 0},
};

} // namespace

std::string ErrorName(int32_t code)
{
    if (code >= 0 && code < int32_t(std::size(kOwnNames)))
        return kOwnNames[code];
    for (const WsaError& error : kWsaErrors)
        if (error.number == code)
            return std::string("ES_") + error.name;
    return {};
}

int32_t SocketErrorFromErrno(int error)
{
    // A write to a connection the peer has closed: the connection was reset.
    if (error == EPIPE)
        return 10054;
    if (error == EAGAIN)
        return 10035;
    if (error == ENOMEM)
        return 10055;
    for (const WsaError& known : kWsaErrors)
        if (known.posix != 0 && known.posix == error)
            return known.number;
    return kWsaSystemNotReady;
}

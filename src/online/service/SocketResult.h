#pragma once
// Result codes of the service sockets: 0 for success, the sockets' own codes 1…14,
// and system socket errors as their Windows Sockets numbers (10004…10101).
#include <cstdint>
#include <string>

enum EasySocketResult : int32_t
{
    ES_NO_ERROR = 0,
    ES_ERROR_NO_TYPE = 1,
    ES_INVALID_ADDR = 2,
    ES_INVALID_SOCKET = 3,
    ES_INCOMPLETE_SEND = 4,
    ES_INCOMPLETE_RECV = 5,
    ES_DISCONNECTED = 6,
    ES_TMSG_TOO_LARGE = 7,
    ES_WRONG_TSERVICE = 8,
    ES_WRONG_TMESSAGE = 9,
    ES_INVALID_TMSG = 10,
    ES_PARTIAL_SENDTO = 11,
    ES_TIMED_OUT = 12,
    ES_ERROR_STREAM_NOT_ALLOWED = 13,
    ES_SHUTDOWN = 14,
};

constexpr int32_t kWsaConnectionRefused = 10061;
constexpr int32_t kWsaTimedOut = 10060;
// The number given to a system error that has no Windows Sockets counterpart, so
// that no failure ever reads as success.
constexpr int32_t kWsaSystemNotReady = 10091;

// "ES_" and the name of the code; empty for a code without a name.
std::string ErrorName(int32_t code);
// The Windows Sockets number of a POSIX errno value; never 0.
int32_t SocketErrorFromErrno(int error);

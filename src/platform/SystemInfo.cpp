#include "platform/SystemInfo.h"

#include <sys/resource.h>
#include <sys/sysinfo.h>

#include <climits>

uint64_t PhysicalMemoryBytes()
{
    struct sysinfo info {};
    if (::sysinfo(&info) != 0)
        return 0;
    return uint64_t(info.totalram) * info.mem_unit;
}

int SocketLimit()
{
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 64;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > rlim_t(INT_MAX))
        return INT_MAX;
    return int(limit.rlim_cur);
}

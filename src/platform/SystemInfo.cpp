#include "platform/SystemInfo.h"

#include <dirent.h>
#include <sys/resource.h>
#include <sys/sysinfo.h>

#include <algorithm>
#include <climits>

uint64_t PhysicalMemoryBytes()
{
    struct sysinfo info
    {
    };
    if (::sysinfo(&info) != 0)
        return 0;
    return uint64_t(info.totalram) * info.mem_unit;
}

int SocketLimit()
{
    struct rlimit limit
    {
    };
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 64;
    if (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > rlim_t(INT_MAX))
        return INT_MAX;
    return int(limit.rlim_cur);
}

int FreeDescriptors()
{
    const int limit = SocketLimit();
    DIR* dir = ::opendir("/proc/self/fd");
    if (!dir)
        return limit;
    int open = 0;
    while (const dirent* entry = ::readdir(dir))
        if (entry->d_name[0] != '.')
            ++open;
    ::closedir(dir);
    // The directory's own descriptor was counted and is closed again.
    return std::max(0, limit - (open - 1));
}

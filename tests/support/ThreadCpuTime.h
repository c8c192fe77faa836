#pragma once
// Processor time the calling thread has used, for tests that check an idle wait costs
// next to nothing (a thread's own time: other processes on the machine do not count).
#include <sys/resource.h>

inline double ThreadCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

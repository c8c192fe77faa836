#include "app/settings/ProcessorInfo.h"

#include "app/settings/CommandLine.h"
#include "app/settings/SettingsStore.h"
#include "platform/NumberText.h"

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#include <x86intrin.h>
#define KESTREL_X86 1
#endif

bool ProcessorHasMmx()
{
#ifdef KESTREL_X86
    unsigned a = 0, b = 0, c = 0, d = 0;
    if (!__get_cpuid(1, &a, &b, &c, &d))
        return false;
    return (d >> 23) & 1u;
#else
    return false;
#endif
}

int DecideMmxFlag()
{
    if (FindOption("-mmx"))
        return 1;
    if (FindOption("-nommx"))
        return 0;
    return ProcessorHasMmx() ? 1 : 0;
}

namespace {

// The speed the kernel reports, in MHz; 0 when it reports none.
int ReportedCpuMhz()
{
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("cpu MHz", 0) == 0) {
            const size_t colon = line.find(':');
            if (colon != std::string::npos)
                return TruncateToInt(ParseDouble(std::string_view(line).substr(colon + 1)));
        }
    }
    return 0;
}

void BusyWaitMilliseconds(int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
    }
}

} // namespace

int MeasureCpuMhz()
{
    // Asking the system avoids more than a second of busy waiting at every start.
    if (const int reported = ReportedCpuMhz(); reported > 0)
        return reported;
#ifdef KESTREL_X86
    (void)__rdtsc();
    BusyWaitMilliseconds(250);
    const uint64_t first = __rdtsc();
    BusyWaitMilliseconds(1000);
    const uint64_t second = __rdtsc();
    return int((second - first + 500000) / 1000000);
#else
    return 166;
#endif
}

int DecideCpuMhz()
{
    const int stored = GetSettingInt(kSettingsSection, "CPUMHZ", 0);
    int mhz = stored;
    std::string value;
    if (FindOption("-cpumhz", &value) && !value.empty())
        mhz = ParseInt(value);
    if (mhz == 0)
        mhz = MeasureCpuMhz();
    SetSettingInt(kSettingsSection, "CPUMHZ", stored);
    return mhz;
}

#include "online/service/ServiceDiagnostics.h"

#include <cstdio>

void ServiceDiagnostics::Print(const std::string& line) const
{
    if (m_sink) {
        m_sink(line);
        return;
    }
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fflush(stdout);
}

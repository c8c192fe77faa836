#pragma once
// Processor values handed to the engine: the MMX flag and the speed in MHz.
#include <cstdint>

// 1 with "-mmx", 0 with "-nommx", otherwise what the processor reports.
int DecideMmxFlag();
// The "CPUMHZ" setting, replaced by "-cpumhz N"; 0 means "measure". The setting is
// written back with the stored value, never with a measured one.
int DecideCpuMhz();
// The processor's speed: the system's report, or a time-stamp measurement, or 166.
int MeasureCpuMhz();
bool ProcessorHasMmx();

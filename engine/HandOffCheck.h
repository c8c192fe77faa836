#pragma once
// What the stand-in engine checks of the launcher's hand-off when it initialises: the
// memory block it is given (it must exist; its first and last byte are written, so a
// wrong size shows under AddressSanitizer), the processor values and the entries of
// the launcher service table. The engine refuses to start without memory or without a
// service table, and reports the rest.
#include <cstddef>
#include <string>
#include <vector>

struct HandOffReport
{
    bool accepted = false;
    std::string refusal; // why the engine refused, when it did
    int mmx = -1;
    int cpuMhz = 0;
    size_t memorySize = 0;
    std::vector<int> missingServices; // listed service entries that are empty
    std::string modeText;             // the launcher's description of the current mode
    int surfaceCache = 0;             // its surface cache size for the current mode

    // One line for the console and standard output.
    std::string Summary() const;
    // The missing entries as "14 15 16"; empty when none.
    std::string MissingText() const;
};

HandOffReport CheckHandOff(void* memory, size_t memorySize, const void* services);

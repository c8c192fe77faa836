#include "HandOffCheck.h"

#include "app/engine/EngineInterface.h"
#include "app/video/VideoSettingsRecord.h"

#include <cstdint>

namespace {

// Every entry of the service table that the launcher is to fill.
constexpr int kListedServices[] = {
    kServiceVideoSettings,  kServiceModeCount,        kServiceCurrentMode,      kServiceModeDescription,
    kServiceSetUpSurface,   kServiceLockSurface,      kServiceUnlockSurface,    kServiceSurfaceDescription,
    kServiceReleaseSurface, kServiceNothing11,        kServiceNothing12,        kServiceD3DActivation,
    kServiceFirstCdAudio,   kServiceFirstCdAudio + 1, kServiceFirstCdAudio + 2, kServiceFirstCdAudio + 3,
    kServiceRegisterCd,     kServiceFatalError,       kServiceSurfaceCache,     kServiceNothing21,
    kServiceFindCustomGame, kServiceLocalisedString,
};

template <typename Fn> Fn Service(const uintptr_t* table, int entry)
{
    return reinterpret_cast<Fn>(table[entry]);
}

} // namespace

std::string HandOffReport::MissingText() const
{
    std::string text;
    for (const int entry : missingServices) {
        if (!text.empty())
            text += ' ';
        text += std::to_string(entry);
    }
    return text;
}

std::string HandOffReport::Summary() const
{
    if (!accepted)
        return "Stand-in engine refused to start: " + refusal;
    std::string text = "Stand-in engine: MMX " + std::to_string(mmx) + ", " + std::to_string(cpuMhz) + " MHz, " +
                       std::to_string(memorySize) + " bytes of memory";
    if (!modeText.empty())
        text += ", mode " + modeText + ", surface cache " + std::to_string(surfaceCache) + " bytes";
    if (!missingServices.empty())
        text += "; launcher services missing: " + MissingText();
    return text;
}

HandOffReport CheckHandOff(void* memory, size_t memorySize, const void* services)
{
    HandOffReport report;
    if (!memory || memorySize == 0) {
        report.refusal = "no memory block was handed over";
        return report;
    }
    if (!services) {
        report.refusal = "no launcher service table was handed over";
        return report;
    }
    // The engine keeps its data in the block: both ends must be ours to write.
    auto* bytes = static_cast<volatile uint8_t*>(memory);
    bytes[0] = 0;
    bytes[memorySize - 1] = 0;
    report.memorySize = memorySize;

    const auto* table = static_cast<const uintptr_t*>(services);
    report.mmx = int(table[kServiceMmx]);
    report.cpuMhz = int(table[kServiceCpuMhz]);
    for (const int entry : kListedServices) {
        if (table[entry] == 0)
            report.missingServices.push_back(entry);
    }

    if (table[kServiceCurrentMode] && table[kServiceModeDescription]) {
        const int mode = Service<LauncherIntFn>(table, kServiceCurrentMode)();
        const char* text = Service<LauncherModeTextFn>(table, kServiceModeDescription)(mode);
        report.modeText = text ? text : "";
    }
    if (table[kServiceVideoSettings] && table[kServiceSurfaceCache]) {
        const auto* record =
            static_cast<const VideoSettingsRecord*>(Service<LauncherRecordFn>(table, kServiceVideoSettings)());
        if (record)
            report.surfaceCache =
                Service<LauncherSurfaceCacheFn>(table, kServiceSurfaceCache)(record->width, record->height);
    }
    report.accepted = true;
    return report;
}

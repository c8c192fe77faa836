#include "support/LauncherEngine.h"

#include "app/engine/EngineHost.h"
#include "app/engine/LauncherServiceTable.h"
#include "app/settings/LauncherState.h"

#include <QCoreApplication>

#include <cstdint>
#include <vector>

void UseLauncherEngine()
{
    // The host outlives every test, so its memory block does too.
    static std::vector<uint8_t> memory(kTestEngineMemory);
    Launcher().programDirectory = QCoreApplication::applicationDirPath().toStdString();
    TheEngineHost().SetEngineMemory(memory.data(), memory.size());
    FillLauncherServiceTable();
}

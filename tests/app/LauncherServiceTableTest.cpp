#include "app/LauncherServiceTable.h"
#include "app/LauncherState.h"
#include "app/StringList.h"

#include <gtest/gtest.h>

TEST(LauncherServiceTable, HoldsTheValuesAndEntriesOfTheLauncher)
{
    Launcher().mmx = 1;
    Launcher().cpuMhz = 450;
    FillLauncherServiceTable();
    const LauncherServiceTable& table = LauncherServices();
    EXPECT_EQ(sizeof table.entries, kLauncherServiceEntries * sizeof(void*));
    EXPECT_EQ(table.entries[kServiceMmx], 1u);
    EXPECT_EQ(table.entries[kServiceCpuMhz], 450u);
    EXPECT_NE(table.entries[kServiceNothing11], 0u);
    EXPECT_NE(table.entries[kServiceNothing21], 0u);
    EXPECT_NE(table.entries[kServiceFatalError], 0u);

    const auto text = reinterpret_cast<LauncherStringFn>(table.entries[kServiceLocalisedString]);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text(137)), GetString(137));
}

TEST(LauncherServiceTableDeathTest, FatalErrorShowsTheMessageAndEndsTheProcess)
{
    FillLauncherServiceTable();
    const auto fatal = reinterpret_cast<LauncherFatalErrorFn>(LauncherServices().entries[kServiceFatalError]);
    EXPECT_EXIT(fatal("Engine error: out of memory"), ::testing::ExitedWithCode(3), "Engine error: out of memory");
}

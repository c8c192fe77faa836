#pragma once
// The music service's console over an engine's interface table: the command words
// (entries 7 and 8), printing (entry 13) and console variables (entries 15 and 12),
// each used only when the engine fills it.
#include "app/engine/EngineTable.h"
#include "config/cdaudio/CdConsole.h"

class EngineCdConsole : public CdConsole
{
public:
    explicit EngineCdConsole(EngineTable& table) : m_table(table) {}

    int ArgumentCount() override;
    std::string Argument(int index) override;
    void Print(const std::string& text) override;
    std::string Variable(const char* name) override;
    void SetVariable(const char* name, const char* value) override;
    // Registers a console command (entry 6).
    void AddCommand(const char* name, EngineConsoleCommandFn handler);

private:
    EngineTable& m_table;
};

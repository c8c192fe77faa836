#include "config/cdaudio/EngineCdConsole.h"

int EngineCdConsole::ArgumentCount()
{
    return m_table.Has(kEntryCommandArgCount) ? m_table.Get<EngineCommandArgCountFn>(kEntryCommandArgCount)() : 0;
}

std::string EngineCdConsole::Argument(int index)
{
    if (!m_table.Has(kEntryCommandArg))
        return {};
    const char* word = m_table.Get<EngineCommandArgFn>(kEntryCommandArg)(index);
    return word ? word : "";
}

void EngineCdConsole::Print(const std::string& text)
{
    if (m_table.Has(kEntryConsolePrint))
        m_table.Get<EngineConsolePrintFn>(kEntryConsolePrint)(text.c_str());
}

std::string EngineCdConsole::Variable(const char* name)
{
    if (!m_table.Has(kEntryConsoleVariableText))
        return {};
    const char* text = m_table.Get<EngineConsoleVariableTextFn>(kEntryConsoleVariableText)(name);
    return text ? text : "";
}

void EngineCdConsole::SetVariable(const char* name, const char* value)
{
    if (m_table.Has(kEntrySetConsoleVariable))
        m_table.Get<EngineSetConsoleVariableFn>(kEntrySetConsoleVariable)(name, value);
}

void EngineCdConsole::AddCommand(const char* name, EngineConsoleCommandFn handler)
{
    if (m_table.Has(kEntryAddConsoleCommand))
        m_table.Get<EngineAddConsoleCommandFn>(kEntryAddConsoleCommand)(name, handler);
}

// The engine host's calls of single engine entries, and the engine window's input.
#include "app/engine/EngineCommands.h"
#include "app/engine/EngineDisplay.h"
#include "app/engine/EngineHost.h"
#include "app/engine/EngineKeys.h"
#include "app/engine/LauncherClock.h"

bool EngineHost::TakeRequest(int request)
{
    if (request < 1 || request >= kRequestCount || !m_requests[size_t(request)])
        return false;
    m_requests[size_t(request)] = false;
    return true;
}

void EngineHost::AddCommandText(const std::string& text)
{
    if (m_table.Has(kEntryAddCommandText))
        m_table.Get<EngineAddCommandTextFn>(kEntryAddCommandText)(text.c_str());
}

void EngineHost::SetConsoleVariable(const char* name, const char* value)
{
    if (m_table.Has(kEntrySetConsoleVariable))
        m_table.Get<EngineSetConsoleVariableFn>(kEntrySetConsoleVariable)(name, value);
}

std::string EngineHost::ConsoleVariable(const char* name)
{
    if (!m_table.Has(kEntryConsoleVariableText))
        return {};
    const char* text = m_table.Get<EngineConsoleVariableTextFn>(kEntryConsoleVariableText)(name);
    return text ? text : "";
}

void EngineHost::Notify(int code)
{
    if (m_table.Has(kEntryNotify))
        m_table.Get<EngineIntArgFn>(kEntryNotify)(code);
}

EngineStatus EngineHost::Status()
{
    uint8_t record[kEngineStatusRecordBytes] = {};
    if (m_table.Has(kEntryFillStatusRecord))
        m_table.Get<EngineFillStatusFn>(kEntryFillStatusRecord)(record, 0);
    return ReadEngineStatus(record);
}

double EngineHost::Clock()
{
    if (m_table.Has(kEntryClock))
        return m_table.Get<EngineClockFn>(kEntryClock)();
    return LauncherSeconds();
}

void EngineHost::OfferWindowMessage(void* window, void* event)
{
    if (m_handle && m_table.Has(kEntryWindowMessage))
        m_table.Get<EngineWindowMessageFn>(kEntryWindowMessage)(window, event);
}

void EngineHost::KeyEvent(int scanCode, bool extended, bool down)
{
    if (m_windowSetUp || !m_table.Has(kEntryKeyEvent))
        return;
    m_table.Get<EngineKeyEventFn>(kEntryKeyEvent)(EngineKeyNumber(scanCode, extended), down ? 1 : 0);
}

void EngineHost::WheelEvent(int delta)
{
    if (!m_table.Has(kEntryKeyEvent))
        return;
    const int key = delta > 0 ? kKeyMouseWheelUp : kKeyMouseWheelDown;
    const auto keyEvent = m_table.Get<EngineKeyEventFn>(kEntryKeyEvent);
    keyEvent(key, 1);
    keyEvent(key, 0);
}

void EngineHost::MouseButtons(int mask)
{
    if (m_windowSetUp || m_busy)
        return;
    if (m_display.Windowed() && !m_display.MouseCaptured())
        return;
    if (m_table.Has(kEntryMouseButtons))
        m_table.Get<EngineIntArgFn>(kEntryMouseButtons)(mask);
}

void EngineHost::WindowCloseRequested()
{
    if (m_windowSetUp || m_state == kEngineQuitting)
        return;
    AddCommandText(kCommandQuitPrompt);
}

void EngineHost::InputAndSoundOff()
{
    if (m_table.Has(kEntryInputOff))
        m_table.Get<EngineVoidFn>(kEntryInputOff)();
    if (m_table.Has(kEntrySoundOff))
        m_table.Get<EngineVoidFn>(kEntrySoundOff)();
}

void EngineHost::InputAndSoundOn()
{
    if (m_table.Has(kEntryInputSoundOn))
        m_table.Get<EngineVoidFn>(kEntryInputSoundOn)();
}

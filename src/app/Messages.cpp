#include "app/Messages.h"

#include "app/StringList.h"

#include <cstdarg>
#include <cstdio>

int ShowMessage(int number, PromptButtons buttons)
{
    return CurrentPrompt().Show(GetString(number), buttons);
}

int ShowFormattedMessage(int number, ...)
{
    const std::string format = GetString(number);
    char buffer[1024];
    va_list args;
    va_start(args, number);
    std::vsnprintf(buffer, sizeof buffer, format.c_str(), args);
    va_end(args);
    return CurrentPrompt().Show(buffer, PromptButtons::Ok);
}

int ShowText(const std::string& text, PromptButtons buttons)
{
    return CurrentPrompt().Show(text, buttons);
}

#include "app/text/Messages.h"

#include "app/text/StringList.h"

#include <cstdarg>

int ShowMessage(int number, PromptButtons buttons)
{
    return CurrentPrompt().Show(GetString(number), buttons);
}

int ShowFormattedMessage(int number, ...)
{
    va_list args;
    va_start(args, number);
    const std::string text = FormatStringV(number, args);
    va_end(args);
    return CurrentPrompt().Show(text, PromptButtons::Ok);
}

int ShowText(const std::string& text, PromptButtons buttons)
{
    return CurrentPrompt().Show(text, buttons);
}

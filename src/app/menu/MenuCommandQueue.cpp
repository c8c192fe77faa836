#include "app/menu/MenuCommandQueue.h"

namespace {

std::string& Pending()
{
    static std::string pending;
    return pending;
}

} // namespace

void QueueMenuCommand(std::string text)
{
    Pending() = std::move(text);
}

std::string TakeMenuCommand()
{
    std::string text;
    text.swap(Pending());
    return text;
}

#include "app/InputPrompt.h"

namespace {

InputPrompt* g_inputPrompt = nullptr;

} // namespace

InputPrompt& CurrentInputPrompt()
{
    static CancellingInputPrompt cancelling;
    return g_inputPrompt ? *g_inputPrompt : cancelling;
}

void SetInputPrompt(InputPrompt* prompt)
{
    g_inputPrompt = prompt;
}

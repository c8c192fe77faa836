#include "app/text/Prompt.h"

#include <cstdio>

int StderrPrompt::Show(const std::string& text, PromptButtons buttons)
{
    std::fprintf(stderr, "%s\n", text.c_str());
    return buttons == PromptButtons::Ok ? kPromptFirst : kPromptNone;
}

namespace {
StderrPrompt g_stderrPrompt;
Prompt* g_prompt = &g_stderrPrompt;
} // namespace

Prompt& CurrentPrompt()
{
    return *g_prompt;
}

void SetPrompt(Prompt* prompt)
{
    g_prompt = prompt ? prompt : &g_stderrPrompt;
}

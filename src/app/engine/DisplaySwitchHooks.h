#pragma once
// Work that wraps every hand-over of the screen between the menu and the engine. The
// CD audio module registers its pause and resume here at start-up.
#include <functional>

void SetDisplaySwitchHooks(std::function<void()> before, std::function<void()> after);
void BeforeDisplaySwitch();
void AfterDisplaySwitch();

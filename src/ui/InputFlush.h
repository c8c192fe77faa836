#pragma once
// Throws away the mouse and keyboard input that is waiting to be delivered, so that
// clicks and key presses made while a video played do not reach the window shown
// after it.
void FlushPendingInput();

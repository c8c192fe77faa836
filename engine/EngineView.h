#pragma once
// Draws what the game would show into the engine window, large and legible.
#include "StandInEngine.h"

class QPaintDevice;

void PaintEngineView(QPaintDevice& device, const StandInEngine::View& view);

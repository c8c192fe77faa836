#pragma once
// Listing of the player models a player may choose (their preview bitmaps).
#include "app/files/MapList.h"

#include <vector>

std::vector<GameFileRecord> ListPlayerModels();

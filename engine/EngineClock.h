#pragma once
// The engine's own clock: seconds since the library was loaded.
double EngineSeconds();

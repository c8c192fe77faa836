#pragma once
// The launcher engine's connection state and active word, for code that cannot see
// the engine interface's names.
int EngineConnectionState();
int EngineActiveWord();

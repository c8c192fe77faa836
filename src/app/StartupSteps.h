#pragma once
// The start-up steps that belong to other parts of the launcher (strings, custom
// games, service addresses, video, profile, engine, main menu, CD audio). The
// application object calls them in order; each subsystem fills its own step.
#include <cstdint>
#include <string>

class StartupSteps
{
public:
    virtual ~StartupSteps() = default;

    virtual void LoadStringAndColourLists() {}
    virtual void LoadButtonStrip() {}
    // Rebuilds the custom game catalogue; may change the active game directory.
    virtual void RebuildCustomGames() {}
    virtual void LoadServiceAddresses() {}
    virtual void ReadVideoSettings() {}
    // Loads the player's configuration; false ends the start-up (the key list is missing).
    virtual bool CreatePlayerProfile() { return true; }
    virtual void MarkNoGameRunning() {}
    virtual void FillEngineServiceTable() {}
    // The engine's memory block, once the host checks allocated it; nullptr and 0
    // after shut-down, before the block is freed.
    virtual void HandEngineMemory(void* block, uint64_t size) {}
    // The last host check: starts the CD audio worker and builds the video mode list.
    virtual bool StartCdAudioAndBuildModes() { return true; }
    // Runs the main menu until it closes.
    virtual void RunMainMenu() = 0;
    // Unloads the engine, stops the CD audio worker, frees the button strip.
    virtual void ShutDown() {}

    // Host facts, replaceable in tests.
    virtual uint64_t PhysicalMemory();
    virtual int SocketLimit();
    virtual bool HasScreen();
    // Starts the updater program; false when it could not be started.
    virtual bool StartUpdater(const std::string& programDirectory);
};

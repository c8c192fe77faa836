#pragma once
// The stand-in engine's use of the launcher's music services (service table entries
// 14 to 18): it registers the "cd" command when it starts, gives the music its
// per-frame update, asks for the map's track, looping, when a map starts, and pauses
// the music when the game ends. Entries the launcher left empty are skipped.
#include <cstdint>

class EngineMusic
{
public:
    static constexpr int kMapTrack = 2; // the first music track; track 1 is the game's data

    void Attach(const void* services);
    void Register();
    void Frame();
    void MapStarted();
    void GameEnded();

private:
    template <typename Fn> Fn Service(int entry) const
    {
        return m_services ? reinterpret_cast<Fn>(m_services[entry]) : nullptr;
    }

    const uintptr_t* m_services = nullptr;
};

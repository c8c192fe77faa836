#pragma once
// The game's background music from the CD audio device. A worker thread alone talks
// to the device; every other caller (the engine's music services, the "cd" command,
// the display switches, the device's notifications) posts requests to it through the
// request queue. The state is shared through atomics, so any thread may read it.
// Times come from the clock given, the launcher's monotonic clock in the program.
#include "config/cdaudio/CdDevice.h"
#include "config/cdaudio/CdRequestQueue.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class CdConsole;

class CdAudio
{
public:
    static constexpr int kTracks = 100;      // requests and remap entries 0..99
    static constexpr double kEndGrace = 2.0; // seconds past a track's length before it counts as ended

    // disabled: "-nocdaudio"; the device is never opened and nothing ever plays.
    CdAudio(CdDevice& device, std::function<double()> clock, bool disabled = false);
    // Stops the worker.
    ~CdAudio();
    CdAudio(const CdAudio&) = delete;
    CdAudio& operator=(const CdAudio&) = delete;

    // Starts the worker, which first opens the device and reads the disc.
    void Start();
    // Posts the stop and waits for the worker, which finishes the device call it is
    // in, runs nothing more and closes the device.
    void Shutdown();

    // Requests, from any thread. A track outside 0..99 is ignored.
    void Play(int track, bool looping);
    void Stop();
    void Pause();
    void Resume();
    // "cd on" (only for a device that was opened) and "cd off" (stops first).
    void SetEnabled(bool enabled);
    // Enables an opened device, stops, restores the remap table and reads the disc.
    void Reset();
    void Eject();
    void CloseDoor();
    void ReadDiscInfo();
    // The device's report that a play ended.
    void Notify(CdNotifyResult result);

    // Entry n of the remap table (n from 1) becomes the nth number; at most 99 are
    // taken, and a word that is not a number in 0..99 leaves its entry alone.
    void Remap(const std::vector<std::string>& numbers);
    int RemapEntry(int track) const;

    // Once per engine frame: follows "bgmvolume" as an on/off switch and checks
    // whether the current track has ended.
    void Update(CdConsole& console);

    // The display switches between the menu and the engine.
    void BeforeDisplaySwitch();
    void AfterDisplaySwitch();
    void CancelResume() { m_resumeAfterSwitch = false; }

    // The "cd" console command, with the arguments of the console.
    void Command(CdConsole& console);

    // Waits until the worker has run every request posted so far.
    bool WaitUntilIdle(double seconds = 10.0) { return m_queue.WaitUntilIdle(seconds); }

    // Shutdown has begun.
    bool Stopping() const { return m_queue.StopRequested(); }

    // The shared state.
    bool Opened() const { return m_opened; }
    bool Enabled() const { return m_enabled; }
    bool DiscValid() const { return m_discValid; }
    int TrackCount() const { return m_trackCount; }
    bool Playing() const { return m_playing; }
    bool WasPlaying() const { return m_wasPlaying; }
    bool Looping() const { return m_looping; }
    int CurrentTrack() const { return m_currentTrack; }
    double StartTime() const { return m_startTime; }
    double PauseTime() const { return m_pauseTime; }
    float TrackLength() const { return m_trackLength; }
    float MusicVolume() const { return m_musicVolume; }
    bool ResumeAfterSwitch() const { return m_resumeAfterSwitch; }

private:
    void Post(CdOperation operation, int argument1 = 0, int argument2 = 0);
    bool TrackEnded(double now) const;

    // The worker thread and what it runs.
    void Work();
    void Initialise();
    void Run(const CdRequest& request);
    void DoReadDiscInfo();
    void DoPlay(int track, bool looping);
    void PlayDiscTrack(int track, bool looping);
    void DoStop();
    void DoPause();
    void DoResume();
    void DoNotify(CdNotifyResult result);
    void DoCheckEnd();
    void ResetRemap();
    void ClearTiming();

    CdDevice& m_device;
    std::function<double()> m_clock;
    const bool m_disabled;
    CdRequestQueue m_queue;
    std::thread m_worker;

    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_enabled{false};
    std::atomic<bool> m_discValid{false};
    std::atomic<int> m_trackCount{0};
    std::atomic<bool> m_playing{false};
    std::atomic<bool> m_wasPlaying{false};
    std::atomic<bool> m_looping{false};
    std::atomic<int> m_currentTrack{0};
    std::atomic<double> m_startTime{0.0};
    std::atomic<double> m_pauseTime{0.0};
    std::atomic<float> m_trackLength{0.0f};
    std::atomic<float> m_musicVolume{1.0f};
    std::atomic<bool> m_resumeAfterSwitch{false};
    std::array<std::atomic<uint8_t>, kTracks> m_remap{};
};

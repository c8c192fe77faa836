#pragma once
// A scripted CD device for the music service tests: a disc of audio and data tracks
// with their lengths, a log of every call with the thread that made it, failures on
// request, and a gate that holds a chosen call until the test opens it.
#include "config/cdaudio/CdConsole.h"
#include "config/cdaudio/CdDevice.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class FakeCdDevice : public CdDevice
{
public:
    struct Track
    {
        bool audio = true;
        int seconds = 60;
    };

    FakeCdDevice()
    {
        for (int i = 1; i <= 8; ++i)
            tracks[i] = Track{true, 60 + i};
    }

    // Set before the worker starts.
    std::map<int, Track> tracks;
    bool openFails = false;
    bool ready = true;

    bool Open() override { return Log("open", 0) && !openFails; }
    bool SetTrackTimeFormat() override { return Log("format", 0); }
    void Close() override { Log("close", 0); }
    bool Ready() override { return Log("ready", 0) && ready; }
    int TrackCount() override
    {
        Log("count", 0);
        return tracks.empty() ? 0 : tracks.rbegin()->first;
    }
    CdTrackType TrackType(int track) override
    {
        Log("type", track);
        const auto it = tracks.find(track);
        return it == tracks.end() || !it->second.audio ? CdTrackType::Data : CdTrackType::Audio;
    }
    bool TrackLength(int track, int& minutes, int& seconds) override
    {
        Log("length", track);
        const auto it = tracks.find(track);
        if (it == tracks.end())
            return false;
        minutes = it->second.seconds / 60;
        seconds = it->second.seconds % 60;
        return true;
    }
    bool PlayTrack(int track) override { return Log("play", track); }
    bool PlayToNextTrack(int track) override { return Log("resume", track); }
    bool Pause() override { return Log("pause", 0); }
    bool Stop() override { return Log("stop", 0); }
    bool OpenDoor() override { return Log("eject", 0); }
    bool CloseDoor() override { return Log("closedoor", 0); }

    struct Call
    {
        std::string name;
        int track = 0;
        std::thread::id thread;
    };

    std::vector<Call> Calls() const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_calls;
    }
    // The calls named so, as "name track" texts, in order.
    std::vector<std::string> Played(const char* name = "play") const
    {
        std::vector<std::string> out;
        for (const Call& call : Calls())
            if (call.name == name)
                out.push_back(call.name + " " + std::to_string(call.track));
        return out;
    }
    int Count(const char* name) const { return int(Played(name).size()); }
    std::string Last() const
    {
        const auto calls = Calls();
        for (auto it = calls.rbegin(); it != calls.rend(); ++it)
            if (it->name != "type" && it->name != "length" && it->name != "ready" && it->name != "count")
                return it->name;
        return {};
    }
    void ClearCalls()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_calls.clear();
    }

    // The next call of that name waits until Open() of the gate.
    void HoldNext(const char* name)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_hold = name;
        m_held = false;
        m_gateOpen = false;
    }
    void WaitUntilHeld()
    {
        std::unique_lock<std::mutex> hold(m_lock);
        m_changed.wait(hold, [this] { return m_held; });
    }
    void OpenGate()
    {
        {
            std::lock_guard<std::mutex> hold(m_lock);
            m_gateOpen = true;
        }
        m_changed.notify_all();
    }

    void FailNext(const char* name)
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_fail = name;
    }

private:
    bool Log(const char* name, int track)
    {
        std::unique_lock<std::mutex> hold(m_lock);
        m_calls.push_back({name, track, std::this_thread::get_id()});
        if (m_hold == name) {
            m_hold.clear();
            m_held = true;
            m_changed.notify_all();
            m_changed.wait(hold, [this] { return m_gateOpen; });
        }
        if (m_fail == name) {
            m_fail.clear();
            return false;
        }
        return true;
    }

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<Call> m_calls;
    std::string m_hold;
    bool m_held = false;
    bool m_gateOpen = true;
    std::string m_fail;
};

// The engine console as the "cd" command and the per-frame update see it.
class FakeCdConsole : public CdConsole
{
public:
    std::vector<std::string> words;
    std::string printed;
    std::map<std::string, std::string> variables;

    int ArgumentCount() override { return int(words.size()); }
    std::string Argument(int index) override
    {
        return index >= 0 && size_t(index) < words.size() ? words[size_t(index)] : std::string();
    }
    void Print(const std::string& text) override { printed += text; }
    std::string Variable(const char* name) override { return variables[name]; }
    void SetVariable(const char* name, const char* value) override { variables[name] = value; }
};

// A clock the test moves by hand; read from the worker and the test thread.
class ManualClock
{
public:
    explicit ManualClock(double start = 100.0) : m_now(start) {}
    double operator()() const { return m_now.load(); }
    void Advance(double seconds) { m_now = m_now.load() + seconds; }

private:
    std::atomic<double> m_now;
};

#include "config/cdaudio/CdAudio.h"

#include "config/cdaudio/CdConsole.h"
#include "platform/NumberText.h"

#include <charconv>
#include <strings.h>

namespace {

bool ValidTrack(int track)
{
    return track >= 0 && track < CdAudio::kTracks;
}

// A whole word that is a number, or no value.
bool ParseWhole(const std::string& word, int& value)
{
    const char* begin = word.data();
    const char* end = begin + word.size();
    if (begin != end && *begin == '+')
        ++begin;
    const auto [stop, error] = std::from_chars(begin, end, value);
    return error == std::errc() && stop == end;
}

} // namespace

CdAudio::CdAudio(CdDevice& device, std::function<double()> clock, bool disabled)
    : m_device(device), m_clock(std::move(clock)), m_disabled(disabled)
{
    ResetRemap();
}

CdAudio::~CdAudio()
{
    Shutdown();
}

void CdAudio::Start()
{
    if (!m_worker.joinable() && !m_queue.StopRequested())
        m_worker = std::thread([this] { Work(); });
}

void CdAudio::Shutdown()
{
    m_queue.RequestStop();
    if (m_worker.joinable())
        m_worker.join();
}

void CdAudio::Post(CdOperation operation, int argument1, int argument2)
{
    m_queue.Post({operation, argument1, argument2});
}

void CdAudio::Play(int track, bool looping)
{
    if (ValidTrack(track))
        Post(CdOperation::Play, track, looping ? 1 : 0);
}

void CdAudio::Stop()
{
    Post(CdOperation::Stop);
}

void CdAudio::Pause()
{
    Post(CdOperation::Pause);
}

void CdAudio::Resume()
{
    Post(CdOperation::Resume);
}

void CdAudio::SetEnabled(bool enabled)
{
    Post(CdOperation::SetEnabled, enabled ? 1 : 0);
}

void CdAudio::Reset()
{
    Post(CdOperation::Reset);
}

void CdAudio::Eject()
{
    Post(CdOperation::Eject);
}

void CdAudio::CloseDoor()
{
    Post(CdOperation::CloseDoor);
}

void CdAudio::ReadDiscInfo()
{
    Post(CdOperation::ReadDiscInfo);
}

void CdAudio::Notify(CdNotifyResult result)
{
    Post(CdOperation::Notify, int(result));
}

void CdAudio::Remap(const std::vector<std::string>& numbers)
{
    for (size_t i = 0; i < numbers.size() && i + 1 < size_t(kTracks); ++i) {
        int value = 0;
        if (ParseWhole(numbers[i], value) && ValidTrack(value))
            m_remap[i + 1] = uint8_t(value);
    }
}

int CdAudio::RemapEntry(int track) const
{
    return ValidTrack(track) ? int(m_remap[size_t(track)]) : 0;
}

bool CdAudio::TrackEnded(double now) const
{
    const double start = m_startTime;
    const float length = m_trackLength;
    return m_playing && length != 0.0f && start != 0.0 && now > start + double(length) + kEndGrace;
}

void CdAudio::Update(CdConsole& console)
{
    if (!m_enabled)
        return;
    // The variable works as an on/off switch; a value that is no number is left alone.
    const std::string text = console.Variable("bgmvolume");
    size_t used = 0;
    const double volume = ParseDouble(text, &used);
    if (used > 0 && NarrowToFloat(volume) != m_musicVolume) {
        if (m_musicVolume != 0.0f) {
            console.SetVariable("bgmvolume", "0");
            m_musicVolume = 0.0f;
            Pause();
        } else {
            console.SetVariable("bgmvolume", "1");
            m_musicVolume = 1.0f;
            Resume();
        }
    }
    // The worker checks again; asking only when the end has passed keeps it asleep.
    if (TrackEnded(m_clock()))
        Post(CdOperation::CheckEnd);
}

void CdAudio::BeforeDisplaySwitch()
{
    if (m_enabled && m_playing) {
        m_resumeAfterSwitch = true;
        Pause();
    }
}

void CdAudio::AfterDisplaySwitch()
{
    if (m_resumeAfterSwitch.exchange(false))
        Resume();
}

void CdAudio::Command(CdConsole& console)
{
    const int count = console.ArgumentCount();
    if (count < 2)
        return;
    const std::string command = console.Argument(1);
    auto is = [&command](const char* name) { return strcasecmp(command.c_str(), name) == 0; };

    if (is("on")) {
        SetEnabled(true);
    } else if (is("off")) {
        SetEnabled(false);
    } else if (is("reset")) {
        Reset();
    } else if (is("remap")) {
        std::vector<std::string> numbers;
        for (int i = 2; i < count; ++i)
            numbers.push_back(console.Argument(i));
        Remap(numbers);
    } else if (is("close")) {
        CloseDoor();
    } else if (!m_discValid) {
        // Every command from here on needs the disc.
        if (is("play") || is("loop") || is("stop") || is("pause") || is("resume") || is("eject") || is("info"))
            ReadDiscInfo();
    } else if (is("play") || is("loop")) {
        int track = -1;
        if (count > 2 && ParseWhole(console.Argument(2), track))
            Play(track, is("loop"));
    } else if (is("stop")) {
        Stop();
    } else if (is("pause")) {
        Pause();
    } else if (is("resume")) {
        Resume();
    } else if (is("eject")) {
        Eject();
    } else if (is("info")) {
        console.Print(std::to_string(unsigned(m_trackCount)) + " tracks\n");
        const char* mode = m_looping ? "looping" : "playing";
        const std::string track = std::to_string(unsigned(m_currentTrack));
        if (m_playing)
            console.Print(std::string("Currently ") + mode + " track " + track + "\n");
        else if (m_wasPlaying)
            console.Print(std::string("Paused ") + mode + " track " + track + "\n");
        console.Print("Volume is " + FormatFixed(m_musicVolume, 6) + "\n");
    }
}

// The worker thread.

void CdAudio::Work()
{
    Initialise();
    m_queue.Done();
    std::vector<CdRequest> requests;
    while (m_queue.Take(requests)) {
        for (const CdRequest& request : requests) {
            if (m_queue.StopRequested())
                break;
            Run(request);
        }
        m_queue.Done();
    }
    if (m_opened) {
        m_opened = false;
        m_enabled = false;
        m_device.Close();
    }
}

void CdAudio::Initialise()
{
    if (m_disabled || !m_device.Open())
        return;
    if (!m_device.SetTrackTimeFormat()) {
        m_device.Close();
        return;
    }
    m_opened = true;
    ResetRemap();
    m_enabled = true;
    DoReadDiscInfo();
}

void CdAudio::Run(const CdRequest& request)
{
    switch (request.operation) {
    case CdOperation::ReadDiscInfo:
        if (m_opened)
            DoReadDiscInfo();
        break;
    case CdOperation::Play:
        DoPlay(request.argument1, request.argument2 != 0);
        break;
    case CdOperation::Stop:
        DoStop();
        break;
    case CdOperation::Pause:
        DoPause();
        break;
    case CdOperation::Resume:
        DoResume();
        break;
    case CdOperation::SetEnabled:
        // A device that was never opened stays off.
        if (request.argument1 && m_opened) {
            m_enabled = true;
        } else if (!request.argument1) {
            DoStop();
            m_enabled = false;
        }
        break;
    case CdOperation::Reset:
        if (!m_opened)
            break;
        m_enabled = true;
        DoStop();
        ResetRemap();
        DoReadDiscInfo();
        break;
    case CdOperation::Eject:
        if (!m_opened)
            break;
        DoStop();
        m_device.OpenDoor();
        m_discValid = false;
        break;
    case CdOperation::CloseDoor:
        if (m_opened)
            m_device.CloseDoor();
        break;
    case CdOperation::Notify:
        DoNotify(CdNotifyResult(request.argument1));
        break;
    case CdOperation::CheckEnd:
        DoCheckEnd();
        break;
    }
}

void CdAudio::DoReadDiscInfo()
{
    m_discValid = false;
    if (!m_device.Ready())
        return;
    const int count = m_device.TrackCount();
    if (count <= 0)
        return;
    m_trackCount = count < kTracks ? count : kTracks - 1;
    m_discValid = true;
}

void CdAudio::DoPlay(int track, bool looping)
{
    if (!m_enabled || !ValidTrack(track))
        return;
    if (!m_discValid) {
        Post(CdOperation::ReadDiscInfo);
        return;
    }
    const int disc = int(m_remap[size_t(track)]);
    if (disc == 0 || disc > m_trackCount)
        return;
    PlayDiscTrack(disc, looping);
}

void CdAudio::PlayDiscTrack(int track, bool looping)
{
    if (m_device.TrackType(track) != CdTrackType::Audio)
        return;
    int minutes = 0;
    int seconds = 0;
    if (!m_device.TrackLength(track, minutes, seconds))
        return;
    if (m_playing) {
        if (m_currentTrack == track)
            return;
        DoStop();
    }
    if (!m_device.PlayTrack(track))
        return;
    m_startTime = m_clock();
    m_pauseTime = 0.0;
    m_looping = looping;
    m_currentTrack = track;
    m_wasPlaying = false;
    m_playing = true;
    m_trackLength = float(minutes * 60 + seconds);
    if (m_musicVolume == 0.0f)
        DoPause();
}

void CdAudio::DoStop()
{
    if (!m_enabled || (!m_playing && !m_wasPlaying))
        return;
    m_playing = false;
    m_wasPlaying = false;
    m_device.Stop();
    ClearTiming();
}

void CdAudio::DoPause()
{
    if (!m_enabled || !m_playing)
        return;
    m_device.Pause();
    m_wasPlaying = true;
    m_playing = false;
    m_pauseTime = m_clock();
}

void CdAudio::DoResume()
{
    // Only a paused play resumes: resuming one that plays would move its end.
    if (!m_enabled || !m_discValid || !m_wasPlaying || m_playing)
        return;
    if (m_device.PlayToNextTrack(m_currentTrack)) {
        m_startTime = m_startTime + (m_clock() - m_pauseTime);
        m_pauseTime = 0.0;
    } else {
        ClearTiming();
    }
    m_wasPlaying = false;
    m_playing = true;
}

void CdAudio::DoNotify(CdNotifyResult result)
{
    if (!m_enabled)
        return;
    switch (result) {
    case CdNotifyResult::Successful:
        m_playing = false;
        if (m_looping)
            PlayDiscTrack(m_currentTrack, true);
        break;
    case CdNotifyResult::Failure:
        DoStop();
        m_discValid = false;
        break;
    case CdNotifyResult::Superseded:
    case CdNotifyResult::Aborted:
        break;
    }
}

void CdAudio::DoCheckEnd()
{
    if (!TrackEnded(m_clock()))
        return;
    m_playing = false;
    if (m_looping)
        PlayDiscTrack(m_currentTrack, true);
}

void CdAudio::ResetRemap()
{
    for (int i = 0; i < kTracks; ++i)
        m_remap[size_t(i)] = uint8_t(i);
}

void CdAudio::ClearTiming()
{
    m_startTime = 0.0;
    m_pauseTime = 0.0;
    m_trackLength = 0.0f;
}

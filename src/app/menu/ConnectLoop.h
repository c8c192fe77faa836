#pragma once
// The connect loop of a join: shows its progress inside the engine through the
// console variables "scr_connectmsg", "scr_connectmsg1" and "scr_connectmsg2", finds
// candidates for quick start, and connects to each in turn until one lets the player
// in or the time runs out.
#include "app/menu/JoinTarget.h"

#include <functional>
#include <vector>

class JoinEngine;
class QuickStartSource;

inline constexpr const char* kConnectMessage = "scr_connectmsg";
inline constexpr const char* kConnectMessage1 = "scr_connectmsg1";
inline constexpr const char* kConnectMessage2 = "scr_connectmsg2";

class ConnectLoop
{
public:
    static constexpr double kStatusInterval = 0.5; // seconds between status reads
    static constexpr double kFailurePause = 0.75;  // after showing a refusal
    static constexpr double kMasterStallSeconds = 10.0;
    static constexpr double kQueryGraceSeconds = 7.5;
    static constexpr double kMaxQuerySeconds = 60.0;
    static constexpr int kMinTimeoutSeconds = 20;
    static constexpr int kDefaultTimeoutSeconds = 120;
    static constexpr int kMessageConnected = 231;
    static constexpr int kMessageNoMasterAnswer = 350;
    static constexpr int kMessageListReceived = 377;
    static constexpr int kMessageChoosing = 378;
    static constexpr int kMessageSecondsLeft = 401;

    using SendConnectFn = std::function<void(const JoinTarget&)>;

    ConnectLoop(JoinEngine& engine, SendConnectFn sendConnect);

    // With a server, connects to it alone; without one (quick start), gathers and
    // orders candidates through the source first (no source: no server is found).
    // True when a server let the player in.
    bool Run(const JoinTarget* server, QuickStartSource* source);

    // Quick start ended before connecting because no server was found (message 350).
    bool NoServerFound() const { return m_noServerFound; }
    // The loop stopped because the engine quit or the launcher is ending.
    bool Ended() const { return m_ended; }
    // The server that let the player in.
    const JoinTarget& Joined() const { return m_joined; }

    // The connect time-out from "-timeout": at least 20 seconds, 120 without it or
    // without its value.
    static int ConnectTimeoutSeconds();

private:
    bool Connect(const JoinTarget& server, double timeout);
    bool GatherCandidates(QuickStartSource& source, std::vector<JoinTarget>& candidates);
    // One engine frame; false (and Ended()) once the engine quit or the launcher is
    // ending.
    bool Frame();
    // Runs frames for the seconds; false when the loop ended meanwhile.
    bool Wait(double seconds);
    void Show(const char* variable, const std::string& text);

    JoinEngine& m_engine;
    SendConnectFn m_sendConnect;
    bool m_noServerFound = false;
    bool m_ended = false;
    JoinTarget m_joined;
};

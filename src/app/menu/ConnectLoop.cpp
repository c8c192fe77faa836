#include "app/menu/ConnectLoop.h"

#include "app/engine/EngineCommands.h"
#include "app/menu/JoinEngine.h"
#include "app/menu/QuickStartSource.h"
#include "app/settings/CommandLine.h"
#include "app/text/StringList.h"
#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kStartingText = "Starting Network...";
constexpr const char* kServersLeftFormat = "%i servers left...\n";

std::string ServersLeftText(int count)
{
    char text[64];
    std::snprintf(text, sizeof text, kServersLeftFormat, count);
    return text;
}

} // namespace

ConnectLoop::ConnectLoop(JoinEngine& engine, SendConnectFn sendConnect)
    : m_engine(engine), m_sendConnect(std::move(sendConnect))
{
}

int ConnectLoop::ConnectTimeoutSeconds()
{
    // A "-timeout" without a value counts as absent.
    const std::string value = OptionValue("-timeout");
    if (value.empty())
        return kDefaultTimeoutSeconds;
    return std::max(kMinTimeoutSeconds, ParseInt(value.c_str()));
}

void ConnectLoop::Show(const char* variable, const std::string& text)
{
    m_engine.SetConsoleVariable(variable, text);
}

bool ConnectLoop::Frame()
{
    m_engine.Frame();
    if (m_engine.Ending())
        m_ended = true;
    return !m_ended;
}

bool ConnectLoop::Wait(double seconds)
{
    const double until = m_engine.Clock() + seconds;
    while (m_engine.Clock() < until) {
        if (!Frame())
            return false;
    }
    return true;
}

bool ConnectLoop::Run(const JoinTarget* server, QuickStartSource* source)
{
    m_noServerFound = false;
    m_ended = false;
    Show(kConnectMessage, kStartingText);
    if (!Frame())
        return false;

    std::vector<JoinTarget> candidates;
    if (server) {
        candidates.push_back(*server);
    } else if (!source || !GatherCandidates(*source, candidates) || candidates.empty()) {
        if (m_ended)
            return false;
        m_noServerFound = true;
        Show(kConnectMessage, GetString(kMessageNoMasterAnswer));
        return false;
    }

    const double timeout = ConnectTimeoutSeconds();
    for (const JoinTarget& candidate : candidates) {
        if (Connect(candidate, timeout)) {
            m_joined = candidate;
            return true;
        }
        if (m_ended)
            return false;
    }
    m_engine.AddCommandText(kCommandDisconnect);
    return false;
}

bool ConnectLoop::GatherCandidates(QuickStartSource& source, std::vector<JoinTarget>& candidates)
{
    source.BeginMasterExchange();
    if (m_engine.Status().connectionState != kConnectionNone) {
        // Leave whatever game the engine is in before the masters are asked.
        m_engine.AddCommandText(kCommandDisconnect);
        m_engine.SetBackground(true);
        const bool going = Frame();
        m_engine.SetBackground(false);
        if (!going)
            return false;
    }

    // The time-out counts from the last address that arrived.
    double lastProgress = m_engine.Clock();
    int lastCount = source.AddressCount();
    for (;;) {
        source.Work();
        if (!Frame())
            return false;
        const double now = m_engine.Clock();
        const int count = source.AddressCount();
        if (count != lastCount) {
            lastCount = count;
            lastProgress = now;
        }
        if (!source.MasterExchangeInProgress()) {
            Show(kConnectMessage, GetString(kMessageListReceived));
            break;
        }
        Show(kConnectMessage, source.StatusText());
        if (now - lastProgress >= kMasterStallSeconds) {
            if (count == 0)
                return false;
            Show(kConnectMessage, GetString(kMessageNoMasterAnswer));
            break;
        }
    }

    source.BeginQuerying();
    const double queryStart = m_engine.Clock();
    int shownLeft = -1;
    for (;;) {
        source.Work();
        if (!Frame())
            return false;
        const int left = source.Unanswered();
        if (left != shownLeft) {
            shownLeft = left;
            Show(kConnectMessage1, ServersLeftText(left));
        }
        if (left <= 0)
            break;
        const double elapsed = m_engine.Clock() - queryStart;
        if (left < source.ParallelQueryLimit() && elapsed >= kQueryGraceSeconds)
            break;
        if (elapsed >= kMaxQuerySeconds)
            break; // a list that never settles must not hold the player forever
    }
    Show(kConnectMessage, GetString(kMessageChoosing));
    candidates = source.OrderedCandidates();
    return true;
}

bool ConnectLoop::Connect(const JoinTarget& server, double timeout)
{
    m_sendConnect(server);
    double deadline = m_engine.Clock() + timeout;
    double nextRead = m_engine.Clock();
    for (;;) {
        if (!Frame())
            return false;
        const double now = m_engine.Clock();
        if (now >= nextRead) {
            nextRead = now + kStatusInterval;
            const EngineStatus status = m_engine.Status();
            // Connected counts once the game is active; until then the join waits as
            // for any other state, since only an active game makes the join succeed.
            if (status.Playing()) {
                Show(kConnectMessage, FormatString(kMessageConnected, server.name.c_str()));
                return true;
            }
            if (status.connectionState == kConnectionNone) {
                Show(kConnectMessage, status.text);
                Wait(kFailurePause);
                return false;
            }
            if (status.connectionState == kConnectionNegotiating) {
                deadline = now + timeout;
                Show(kConnectMessage1, status.text);
            } else {
                const int left = std::max(0, int(std::ceil(deadline - now)));
                Show(kConnectMessage1, FormatString(kMessageSecondsLeft, left));
                Show(kConnectMessage2, status.text);
            }
        }
        if (now >= deadline)
            return false;
    }
}

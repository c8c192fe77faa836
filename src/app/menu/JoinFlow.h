#pragma once
// Joining a game server: the protocol check, the password, starting the engine, the
// connect loop and what the player sees after a failed attempt. Quick start is a
// join without a server.
#include "app/menu/JoinTarget.h"

#include <cstddef>
#include <functional>
#include <string>

class JoinEngine;

class JoinFlow
{
public:
    static constexpr int kProtocolVersion = 45;
    static constexpr size_t kMaxPassword = 128;
    // The input field takes more than a password may have, so that an overlong
    // answer is refused rather than silently cut.
    static constexpr size_t kPasswordInputLimit = 255;
    static constexpr int kNotifyJoinStarts = 16;
    static constexpr int kNotifyJoinEnded = 2;
    static constexpr int kMessageOtherProtocol = 499;
    static constexpr int kMessagePassword = 468;
    static constexpr int kMessageJoinFailed = 467;
    static constexpr const char* kBadPasswordMarker = "BADPASSWORD";
    static constexpr const char* kDefaultFailureText = "Could not complete connection attempt.";

    explicit JoinFlow(JoinEngine& engine);

    // The player's name for the connect text.
    void SetPlayerName(std::function<std::string()> name) { m_playerName = std::move(name); }

    // Joins the server, or with nullptr the best server quick start finds. True when
    // the player is in a game; false leaves the menu in charge (state 2).
    bool JoinServer(const JoinTarget* server);
    // Adds the connect text for the server.
    void SendConnect(const JoinTarget& server);
    // After a failed join: asks for the password again when the server refused it
    // (true when a new one was sent, so the caller may join again); otherwise shows
    // why the attempt failed.
    bool AfterFailedJoin();

    // The last quick start found no server to join.
    bool NoServerFound() const { return m_noServerFound; }
    // The last join stopped because the engine quit or the launcher is ending.
    bool Ended() const { return m_ended; }

    // The failure text shown with message 467: what follows the status text's first
    // ':', or the default text.
    static std::string FailureReason(const std::string& statusText);
    // A password answer the engine may be given: 1 to 128 characters.
    static bool AcceptablePassword(const std::string& password);

private:
    // The password to send, asking the player when none is known; false ends the join.
    bool PreparePassword(std::string& command);
    bool AskPassword(std::string& password);

    JoinEngine& m_engine;
    std::function<std::string()> m_playerName;
    bool m_noServerFound = false;
    bool m_ended = false;
};

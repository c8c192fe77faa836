#pragma once
// The two exchanges the custom games dialog runs under its progress popup, without a
// window: Start, then Tick from a timer until it returns true. RunModExchange runs one
// to its end in a local event loop (the command-line tool).
#include "mods/master/CKSModSocket.h"
#include "mods/master/CModInfoSocket.h"

#include <functional>
#include <memory>

class ServiceAddressList;

inline constexpr double kModListSeconds = 3.0;
inline constexpr const char* kNoModMasterText = "Unable to communicate with custom game master server(s)";
inline constexpr const char* kNoMasterText =
    "Unable to talk to Kestrel master server to get additional custom game information.";

class ModExchange
{
public:
    using Clock = std::function<double()>;
    virtual ~ModExchange() = default;
    // False when the exchange could not start (its message has been shown).
    virtual bool Start(ServiceAddressList& addresses) = 0;
    virtual bool Tick() = 0;
};

// The list: the first custom-game master that connects is asked page by page; ends
// when the list is done or kModListSeconds after the first request.
class ModListExchange : public ModExchange
{
public:
    explicit ModListExchange(Clock clock = nullptr);
    bool Start(ServiceAddressList& addresses) override;
    bool Tick() override;
    // Whatever arrived; the caller takes it.
    ModList TakeResult();
    CKSModSocket* Socket() { return m_socket.get(); }

private:
    Clock m_clock;
    std::unique_ptr<CKSModSocket> m_socket;
    double m_started = 0.0;
};

// The counts: the first master server is asked; the numbers go into list.
class ModCountExchange : public ModExchange
{
public:
    ModCountExchange(ModList& list, Clock clock = nullptr);
    bool Start(ServiceAddressList& addresses) override;
    bool Tick() override;
    CModInfoSocket* Socket() { return m_socket.get(); }

private:
    ModList& m_list;
    Clock m_clock;
    std::unique_ptr<CModInfoSocket> m_socket;
};

// Ticks the exchange every kModTickMs in a local event loop until it ends.
inline constexpr int kModTickMs = 50;
void RunModExchange(ModExchange& exchange);

// Tells the first custom-game master that connects that a game was downloaded.
bool SendModDownloadNotice(ServiceAddressList& addresses, int32_t uniqueId);

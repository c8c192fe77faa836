#include "mods/master/ModExchange.h"

#include "app/text/Prompt.h"
#include "app/text/ServiceAddressList.h"
#include "browser/query/BrowserClock.h"

#include <QEventLoop>
#include <QTimer>

namespace {

ModExchange::Clock OrDefault(ModExchange::Clock clock)
{
    return clock ? std::move(clock) : ModExchange::Clock(&BrowserClockNow);
}

} // namespace

ModListExchange::ModListExchange(Clock clock) : m_clock(OrDefault(std::move(clock)))
{
}

bool ModListExchange::Start(ServiceAddressList& addresses)
{
    addresses.ResetModMaster();
    while (addresses.NextModMaster()) {
        auto socket = std::make_unique<CKSModSocket>();
        if (socket->CreateAndConnect(addresses.ModMasterHost(), addresses.ModMasterPort())) {
            m_socket = std::move(socket);
            break;
        }
    }
    if (!m_socket) {
        CurrentPrompt().Show(kNoModMasterText, PromptButtons::Ok);
        return false;
    }
    m_socket->SendListRequest(0);
    m_started = m_clock();
    return true;
}

bool ModListExchange::Tick()
{
    return !m_socket || m_socket->Done() || m_clock() - m_started >= kModListSeconds;
}

ModList ModListExchange::TakeResult()
{
    ModList result;
    if (m_socket)
        result.swap(m_socket->Result());
    m_socket.reset();
    return result;
}

ModCountExchange::ModCountExchange(ModList& list, Clock clock) : m_list(list), m_clock(OrDefault(std::move(clock)))
{
}

bool ModCountExchange::Start(ServiceAddressList& addresses)
{
    addresses.ResetMaster();
    if (!addresses.NextMaster()) {
        CurrentPrompt().Show(kNoMasterText, PromptButtons::Ok);
        return false;
    }
    auto socket = std::make_unique<CModInfoSocket>(m_list, m_clock);
    if (!socket->CreateAndConnect(addresses.MasterHost(), addresses.MasterPort()))
        return false;
    m_socket = std::move(socket);
    m_socket->SendCountRequest(kCountStart);
    return true;
}

bool ModCountExchange::Tick()
{
    return !m_socket || m_socket->Tick();
}

void RunModExchange(ModExchange& exchange)
{
    QEventLoop loop;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (exchange.Tick())
            loop.quit();
    });
    if (exchange.Tick())
        return;
    timer.start(kModTickMs);
    loop.exec();
}

bool SendModDownloadNotice(ServiceAddressList& addresses, int32_t uniqueId)
{
    addresses.ResetModMaster();
    while (addresses.NextModMaster()) {
        CKSModSocket socket;
        if (socket.CreateAndConnect(addresses.ModMasterHost(), addresses.ModMasterPort())) {
            socket.SendDownloadNotice(uniqueId);
            socket.flush();
            return true;
        }
    }
    return false;
}

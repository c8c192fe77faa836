#include "browser/list/BrowserQuickStartSource.h"

#include "app/engine/EngineHost.h"
#include "browser/list/QuickStart.h"
#include "browser/list/ServerJoinTarget.h"

#include <QCoreApplication>

BrowserQuickStartSource::BrowserQuickStartSource() : m_doc(CNetGameDoc::Kind::QuickStart)
{
}

BrowserQuickStartSource::BrowserQuickStartSource(const CNetGameDoc::Setup& setup)
    : m_doc(CNetGameDoc::Kind::QuickStart, setup)
{
}

void BrowserQuickStartSource::BeginMasterExchange()
{
    // A quick-start list asks the masters as soon as it exists; ask again only when
    // that exchange has ended without a single address.
    if (!m_doc.MasterExchangeInProgress() && m_doc.Count() == 0)
        m_doc.StartMasterList(m_doc.Filter());
}

void BrowserQuickStartSource::Work()
{
    QCoreApplication::processEvents();
    m_doc.Work();
}

bool BrowserQuickStartSource::MasterExchangeInProgress()
{
    return m_doc.MasterExchangeInProgress();
}

std::string BrowserQuickStartSource::StatusText()
{
    return m_doc.StatusText();
}

int BrowserQuickStartSource::AddressCount()
{
    return m_doc.Count();
}

void BrowserQuickStartSource::BeginQuerying()
{
    m_doc.BeginBackgroundRefresh(m_doc.RefreshAllParams());
}

int BrowserQuickStartSource::Unanswered()
{
    return m_doc.Engine().Unsettled();
}

int BrowserQuickStartSource::ParallelQueryLimit()
{
    return m_doc.MaxInFlight();
}

std::vector<JoinTarget> BrowserQuickStartSource::OrderedCandidates()
{
    std::string current;
    const std::string* exclude = nullptr;
    EngineHost& engine = TheEngineHost();
    if (engine.Loaded()) {
        current = CurrentServerAddress(engine.Status());
        exclude = &current;
    }
    std::vector<JoinTarget> targets;
    for (const CServerInfo* r : m_doc.RankedCandidates(exclude))
        targets.push_back(JoinTargetFor(*r));
    return targets;
}

void InstallBrowserQuickStart()
{
    SetQuickStartFactory([] { return std::make_unique<BrowserQuickStartSource>(); });
}

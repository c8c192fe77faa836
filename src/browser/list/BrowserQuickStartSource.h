#pragma once
// Quick start's source of servers in the server browser: a quick-start list document
// that asks the masters, queries what they list and ranks the answers.
#include "app/menu/QuickStartSource.h"
#include "browser/list/CNetGameDoc.h"

class BrowserQuickStartSource : public QuickStartSource
{
public:
    BrowserQuickStartSource();
    explicit BrowserQuickStartSource(const CNetGameDoc::Setup& setup);

    void BeginMasterExchange() override;
    void Work() override;
    bool MasterExchangeInProgress() override;
    std::string StatusText() override;
    int AddressCount() override;
    void BeginQuerying() override;
    int Unanswered() override;
    int ParallelQueryLimit() override;
    std::vector<JoinTarget> OrderedCandidates() override;

    CNetGameDoc& Document() { return m_doc; }

private:
    CNetGameDoc m_doc;
};

// Makes quick start in the main menu use the server browser.
void InstallBrowserQuickStart();

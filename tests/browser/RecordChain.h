#pragma once
// Server records for list tests: made in order (so their serial numbers rise), linked
// through next in the order made.
#include "browser/record/CServerInfo.h"

#include <memory>
#include <string>
#include <vector>

class RecordChain
{
public:
    // A responsive "vrel" server with a 50 ms ping and 4 of 16 players.
    CServerInfo& Add(const std::string& name)
    {
        auto r = std::make_unique<CServerInfo>("10.0.0." + std::to_string(m_records.size() + 1), 27015);
        r->name = name;
        r->dir = "vrel";
        r->map = "ha_mill";
        r->game = "Deathmatch";
        r->maxplayers = 16;
        r->currentplayers = 4;
        r->svping = 0.05;
        r->status = CServerInfo::Done;
        r->svtype = 'd';
        r->svos = 'l';
        r->protocol = 45;
        if (!m_records.empty())
            m_records.back()->next = r.get();
        m_records.push_back(std::move(r));
        return *m_records.back();
    }

    CServerInfo* Head() const { return m_records.empty() ? nullptr : m_records.front().get(); }
    CServerInfo& operator[](size_t i) const { return *m_records[i]; }
    size_t Size() const { return m_records.size(); }

    std::vector<std::string> ShownNames() const
    {
        std::vector<std::string> names;
        for (const auto& r : m_records)
            if (!r->IsFiltered())
                names.push_back(r->name);
        return names;
    }

    std::vector<CServerInfo*> All() const
    {
        std::vector<CServerInfo*> rows;
        for (const auto& r : m_records)
            rows.push_back(r.get());
        return rows;
    }

private:
    std::vector<std::unique_ptr<CServerInfo>> m_records;
};

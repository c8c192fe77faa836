#include "mods/catalogue/CModRecord.h"

#include "platform/NumberText.h"

#include <strings.h>

CModRecord::CModRecord()
{
    static const Pair kDefaults[] = {
        {"type", ""},
        {"installed", "0"},
        {"newversion", "0"},
        {"svonly", "1"},
        {"cldll", "0"},
        {"gamedir", ""},
        {"game", ""},
        {"url_dl", ""},
        {"url_info", ""},
        {"date", ""},
        {"startmap", "c0a0"},
        {"trainmap", "t0a0"},
        {"mpentity", "info_player_deathmatch"},
        {"version", "0"},
        {"size", "0"},
        {"rating", "0"},
        {"uniqueid", "0"},
        {"requests", "0"},
    };
    for (const Pair& pair : kDefaults)
        SetKey(pair.first, pair.second);
}

CModRecord CModRecord::Empty()
{
    return CModRecord(NoDefaults{});
}

void CModRecord::SetKey(const std::string& key, const std::string& value)
{
    for (Pair& pair : m_pairs) {
        if (SameText(pair.first, key)) {
            pair.second = value;
            return;
        }
    }
    m_pairs.insert(m_pairs.begin(), Pair(key, value));
}

const std::string* CModRecord::GetKey(const std::string& key) const
{
    for (const Pair& pair : m_pairs)
        if (SameText(pair.first, key))
            return &pair.second;
    return nullptr;
}

std::string CModRecord::GetKeyText(const std::string& key) const
{
    const std::string* value = GetKey(key);
    return value ? *value : std::string();
}

int CModRecord::GetKeyInt(const std::string& key) const
{
    const std::string* value = GetKey(key);
    return value ? ParseInt(*value) : 0;
}

bool CModRecord::RemoveKey(const std::string& key)
{
    for (auto it = m_pairs.begin(); it != m_pairs.end(); ++it) {
        if (SameText(it->first, key)) {
            m_pairs.erase(it);
            return true;
        }
    }
    return false;
}

void CModRecord::CopyKeysFrom(const CModRecord& other)
{
    // Back to front, so keys new to this record keep the other's order.
    for (auto it = other.m_pairs.rbegin(); it != other.m_pairs.rend(); ++it)
        SetKey(it->first, it->second);
}

CModRecord* FindModByDir(ModList& list, const std::string& name)
{
    for (CModRecord& record : list)
        if (SameText(record.GetKeyText("gamedir"), name))
            return &record;
    return nullptr;
}

const CModRecord* FindModByDir(const ModList& list, const std::string& name)
{
    for (const CModRecord& record : list)
        if (SameText(record.GetKeyText("gamedir"), name))
            return &record;
    return nullptr;
}

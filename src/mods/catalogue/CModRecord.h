#pragma once
// One custom game: an ordered list of key/value texts. Keys compare ignoring case and
// are unique; setting a new key puts it at the front.
#include "app/text/TextCase.h"

#include <list>
#include <string>
#include <utility>
#include <vector>

class CModRecord
{
public:
    using Pair = std::pair<std::string, std::string>;

    // A record with the 18 default keys.
    CModRecord();
    // A record with no keys at all.
    static CModRecord Empty();

    void SetKey(const std::string& key, const std::string& value);
    // The value, or nullptr when the key is absent.
    const std::string* GetKey(const std::string& key) const;
    std::string GetKeyText(const std::string& key) const;
    // atoi of the value; 0 when absent.
    int GetKeyInt(const std::string& key) const;
    bool RemoveKey(const std::string& key);
    const std::vector<Pair>& Pairs() const { return m_pairs; }
    // Copies every key of other into this record, overwriting.
    void CopyKeysFrom(const CModRecord& other);

private:
    struct NoDefaults
    {
    };
    explicit CModRecord(NoDefaults) {}
    std::vector<Pair> m_pairs; // front first
};

// Lists of records keep their addresses while they live: the head is the newest.
using ModList = std::list<CModRecord>;

// The first record whose "gamedir" equals name ignoring case, or nullptr.
CModRecord* FindModByDir(ModList& list, const std::string& name);
const CModRecord* FindModByDir(const ModList& list, const std::string& name);

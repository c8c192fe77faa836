#include "mods/catalogue/ModListMerge.h"

#include "mods/catalogue/CompareMods.h"
#include "mods/catalogue/ModCatalogue.h"
#include "ui/SortKeyList.h"

#include <algorithm>

ModList MergeOfferedMods(const ModList& installed, const ModList& offered)
{
    ModList list(installed);
    for (const CModRecord& received : offered) {
        const std::string gamedir = received.GetKeyText("gamedir");
        CModRecord* target = FindModByDir(list, gamedir);
        if (target) {
            target->CopyKeysFrom(received);
        } else {
            list.push_front(received);
            target = &list.front();
        }
        if (const CModRecord* local = FindModByDir(installed, gamedir)) {
            target->SetKey("installed", "1");
            if (local->GetKeyInt("version") < target->GetKeyInt("version"))
                target->SetKey("newversion", "1");
        }
    }
    for (CModRecord& record : list) {
        record.SetKey("servers", "0");
        record.SetKey("players", "0");
    }
    return list;
}

std::vector<CModRecord*> ModRows(ModList& list, const SortKeyList& keys)
{
    std::vector<CModRecord*> rows;
    for (CModRecord& record : list)
        if (!SameText(record.GetKeyText("gamedir"), kBaseGameDirectory))
            rows.push_back(&record);
    std::stable_sort(rows.begin(), rows.end(),
                     [&keys](const CModRecord* a, const CModRecord* b) { return CompareMods(*a, *b, keys) < 0; });
    return rows;
}

#include "browser/DamagedListDecision.h"

#include "app/Prompt.h"
#include "app/StringList.h"

#include <QFile>

bool DamagedListDecision::Resolve(const QString& path, Prompt& prompt)
{
    if (prompt.Show(GetString(kMsgDamagedList), PromptButtons::YesNo) != kPromptFirst)
        return false;
    const QString backup = path + kBackupSuffix;
    if (QFile::exists(backup) && !QFile::remove(backup))
        return false;
    return QFile::rename(path, backup);
}

#include "browser/record/DamagedListDecision.h"

#include "app/text/Prompt.h"
#include "app/text/StringList.h"

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

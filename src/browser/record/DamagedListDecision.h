#pragma once
// What happens to a server list file that held a damaged record: the player is asked
// (message 557); with the first button the file is moved aside to "<file>.bak", so
// nothing is lost and the next save writes the records that could be read.
#include <QString>

class Prompt;

class DamagedListDecision
{
public:
    static constexpr int kMsgDamagedList = 557;
    static constexpr const char* kBackupSuffix = ".bak";

    // True when the file was moved aside.
    static bool Resolve(const QString& path, Prompt& prompt);
};

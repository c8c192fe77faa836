#include "query/QueryRunner.h"

#include "query/ListCommands.h"
#include "query/ModsCommand.h"
#include "query/ServersCommand.h"

int RunKestrelQuery(const QStringList& arguments, std::string& out, std::string& err, bool progress)
{
    if (IsModsCommand(arguments))
        return RunModsCommand(arguments, out, err, progress);
    QueryOptions options;
    std::string error;
    if (!ParseQueryOptions(arguments, options, error)) {
        err += "kestrel-query: " + error + '\n' + QueryUsage();
        return kExitBadArguments;
    }
    switch (options.command) {
    case QueryCommand::Info:
    case QueryCommand::Players:
    case QueryCommand::Rules:
        return RunServersCommand(options, out, err);
    case QueryCommand::Master:
        return RunMasterCommand(options, out, err);
    case QueryCommand::Refresh:
        return RunRefreshCommand(options, out, err, progress);
    case QueryCommand::Lan:
        return RunLanCommand(options, out, err, progress);
    }
    return kExitBadArguments;
}

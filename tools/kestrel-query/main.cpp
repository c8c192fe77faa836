// kestrel-query: the server browser without windows.
#include "query/DirectoryCommand.h"
#include "query/QueryRunner.h"
#include "query/RoomsCommand.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains("-h") || arguments.contains("--help")) {
        std::printf("%s%s%s", QueryUsage().c_str(), DirectoryUsage().c_str(), RoomsUsage().c_str());
        return kExitSuccess;
    }
    std::string out, err;
    const int code = arguments.size() > 1 && arguments[1] == "rooms" ? RunRoomsCommand(arguments, out, err)
                     : arguments.size() > 1 && arguments[1] == "directory"
                         ? RunDirectoryCommand(arguments, out, err)
                         : RunKestrelQuery(arguments, out, err, isatty(STDERR_FILENO) != 0);
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fwrite(err.data(), 1, err.size(), stderr);
    return code;
}

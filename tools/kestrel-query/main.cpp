// kestrel-query: the server browser without windows.
#include "query/DirectoryCommand.h"
#include "query/QueryRunner.h"
#include "query/RoomsCommand.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>

namespace {

// Writes the whole text to standard output; false (with the reason on standard error)
// when it could not be written, as on a full disk or a closed pipe.
bool WriteOutput(const std::string& text)
{
    errno = 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) == 0 && written && !std::ferror(stdout))
        return true;
    std::fprintf(stderr, "kestrel-query: cannot write the output: %s\n", errno ? std::strerror(errno) : "write error");
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    // Qt's own event dispatcher polls the sockets of a large refresh for less than
    // the GLib one does.
    if (qEnvironmentVariableIsEmpty("QT_NO_GLIB"))
        qputenv("QT_NO_GLIB", "1");
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.contains("-h") || arguments.contains("--help"))
        return WriteOutput(QueryUsage()) ? kExitSuccess : kExitNoAnswer;
    std::string out, err;
    const int code = arguments.size() > 1 && arguments[1] == "rooms" ? RunRoomsCommand(arguments, out, err)
                     : arguments.size() > 1 && arguments[1] == "directory"
                         ? RunDirectoryCommand(arguments, out, err)
                         : RunKestrelQuery(arguments, out, err, isatty(STDERR_FILENO) != 0);
    std::fwrite(err.data(), 1, err.size(), stderr);
    if (!WriteOutput(out))
        return kExitNoAnswer;
    return code;
}

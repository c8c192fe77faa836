// Feeds arbitrary datagrams to the custom-game list reply parser and to the list
// socket's page handling; every record kept must have passed the checks.
#include "mods/catalogue/ReceivedModCheck.h"
#include "mods/master/CKSModSocket.h"

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {
// The socket is never connected: its requests for further pages go nowhere, quietly.
const QtMessageHandler g_quiet = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto page = ParseModListReply(data, size);
    if (page) {
        for (const CModRecord& record : page->records)
            if (!IsSafeGameDir(record.GetKeyText("gamedir")))
                std::abort();
    }
    CKSModSocket socket;
    socket.ExpectPage(0);
    socket.OnDatagram(data, size);
    socket.OnDatagram(data, size);
    return 0;
}

// The chat at scale against the loopback online service (a program, not run by CTest):
//   1. refreshing 500 rooms, status queries included;
//   2. 1,000 chat lines a second for 10 s arriving at the chat panel polled on a
//      30 ms tick: ticks per second, the longest gap and the memory before and after.
// Run: build/default/bin/chat_at_scale
#include "online/dialogs/CChatPanel.h"
#include "peer/online/PeerOnlineService.h"
#include "online/service/AuthContext.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>

#include <sys/resource.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <thread>

namespace {

long ResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmRSS:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    return 0;
}

class QuietView : public ChatView
{
public:
    void ShowLine(const std::string&, const std::string&) override {}
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);

    std::string error;
    auto keys = PeerKeys::Open("", error);
    if (!keys)
        return 1;
    OnlineServiceConfig config;
    config.rooms.clear();
    for (int i = 0; i < 500; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "R%03d", i);
        config.rooms.push_back(name);
    }
    PeerOnlineService service(config, std::move(*keys));
    if (!service.Start(error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const auto credentials = service.Keys().IssueCredentials("Bench", int64_t(std::time(nullptr)), 3600);
    AuthContext context(*credentials);
    ServiceAddressList addresses;
    addresses.AppendAddress(ServiceAddressList::Section::Pylon, "127.0.0.1", service.DirectoryPort());

    QuietView quiet;
    CChatClient client(&context, &addresses, &quiet);
    QElapsedTimer timer;
    timer.start();
    const bool refreshed = client.RefreshRooms();
    int answered = 0;
    for (const ChatRoom& room : client.Rooms().Rooms())
        answered += room.answered ? 1 : 0;
    std::printf("refresh of %zu rooms: %lld ms, %d answered (%s)\n", client.Rooms().Size(),
                static_cast<long long>(timer.elapsed()), answered, refreshed ? "ok" : "failed");

    CChatPanel panel;
    panel.SetService(&context, &addresses);
    panel.SetPlayerName("Bench");
    panel.Enter();
    PeerChatServer* room = service.ChatServer(client.Rooms().Rooms().front().name);
    std::atomic<bool> flooding{true};
    std::thread flood([&] {
        int n = 0;
        const auto start = std::chrono::steady_clock::now();
        while (flooding) {
            room->Say("Flood", "line " + std::to_string(n++) + " of the flood test, long enough to wrap\r\n");
            std::this_thread::sleep_until(start + std::chrono::microseconds(1000LL * n));
        }
    });
    int ticks = 0;
    qint64 last = 0, longest = 0;
    QElapsedTimer clock;
    clock.start();
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        panel.Poll();
        ++ticks;
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    tick.start(30);
    long before = 0;
    QTimer::singleShot(2000, [&] { before = ResidentKb(); });
    QTimer::singleShot(10000, [&] { application.quit(); });
    application.exec();
    flooding = false;
    flood.join();
    std::printf("flood 10 s: %d ticks (%.1f a second), longest gap %lld ms, lines shown %d, memory %ld kB at 2 s, "
                "%ld kB at 10 s\n",
                ticks, ticks / 10.0, static_cast<long long>(longest), panel.Conversation()->document()->blockCount(),
                before, ResidentKb());
    return 0;
}

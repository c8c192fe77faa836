// The refresh of large server lists, measured through the list document and the
// refresh engine the launcher uses: the game servers and their master run in a
// kestrel-peer child process on 127.0.0.1 (one socket per server), the list comes
// from that master, and the refresh runs with 100 queries in flight.
//
// Prints servers per second (10,000 answering), the time-out overhead (1,000 with
// 100 silent; 5,000 with 500 silent, against the floor silent x 8 s / in flight),
// the ping error against the delays the peers inject, and memory per record; then
// the same 10,000 through "kestrel-query refresh --list" run in-process, whole
// command (list file, refresh, JSON output) timed, pings read from its JSON.
//
//   build/default/bin/refresh_at_scale [--quick] [--query-only | --no-query] [--delay-kinds N]
#include "app/settings/LauncherState.h"
#include "app/text/ServiceAddressList.h"
#include "browser/list/CNetGameDoc.h"
#include "browser/list/RefreshLoop.h"
#include "browser/record/CServerInfo.h"
#include "peer/PeerNetwork.h"
#include "query/QueryRunner.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kMaxInFlight = 100;
constexpr double kTimeout = 2.0;
constexpr int kRetries = 3;
constexpr int kFirstPortBase = 20000;
constexpr int kPortBaseStep = 10000;
constexpr int kPortBaseLimit = 60000;
constexpr int kPeerStartMs = 60000;
// Server i answers (i % g_delayKinds) ms late: 3.5 ms on average with 8 kinds, so with
// 100 queries in flight no refresh can pass 100 / 3.5 ms = 28,600 servers per second.
int g_delayKinds = 8;
// Each peer process serves its sockets through one epoll loop, so a process costs the
// same with 2,500 servers as with 500; fewer processes sleep less and are woken less
// often, which leaves more of the machine to the browser being measured.
constexpr int kServersPerProcess = 2500;

struct Scenario
{
    const char* title;
    int servers;
    int silentEvery; // every n-th server is silent; 0: none
    int inFlight = kMaxInFlight;
};

// One kestrel-peer child process.
class PeerProcess
{
public:
    ~PeerProcess() { Stop(); }

    // Starts it and waits for the line that says it runs; the line's first number
    // (a port) is kept.
    bool Start(const QString& program, const QStringList& arguments, const QString& readyPattern)
    {
        m_process = std::make_unique<QProcess>();
        // Qt's own event dispatcher polls thousands of sockets faster than the GLib one.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_NO_GLIB", "1");
        m_process->setProcessEnvironment(environment);
        m_process->start(program, arguments);
        QElapsedTimer timer;
        timer.start();
        QByteArray output;
        const QRegularExpression ready(readyPattern);
        while (timer.elapsed() < kPeerStartMs && m_process->state() != QProcess::NotRunning) {
            m_process->waitForReadyRead(100);
            output += m_process->readAllStandardOutput();
            const QRegularExpressionMatch m = ready.match(QString::fromUtf8(output));
            if (m.hasMatch()) {
                m_port = m.captured(1).toInt();
                return true;
            }
        }
        Stop();
        return false;
    }
    void Stop()
    {
        if (!m_process)
            return;
        m_process->terminate();
        if (!m_process->waitForFinished(5000))
            m_process->kill();
        m_process->waitForFinished(5000);
        m_process.reset();
    }
    int Port() const { return m_port; }

private:
    std::unique_ptr<QProcess> m_process;
    int m_port = 0;
};

// The game servers in several processes (one core of peers could not keep up with the
// browser, and a slow peer would be measured instead of the browser), and a
// master in one more that lists them all.
class PeerGroup
{
public:
    bool Start(const QString& program, const QTemporaryDir& dir, int count, int silentEvery);
    int Base() const { return m_base; }
    int MasterPort() const { return m_master.Port(); }

private:
    std::vector<std::unique_ptr<PeerProcess>> m_workers;
    PeerProcess m_master;
    int m_base = 0;
};

long StatusKb(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::stol(line.substr(prefix.size()));
    return 0;
}

bool PeerGroup::Start(const QString& program, const QTemporaryDir& dir, int count, int silentEvery)
{
    const int perProcess = std::min(count, kServersPerProcess);
    for (int base = kFirstPortBase; base + count < kPortBaseLimit; base += kPortBaseStep) {
        m_workers.clear();
        bool started = true;
        for (int first = 0; first < count && started; first += perProcess) {
            const int n = std::min(perProcess, count - first);
            const QString path = dir.filePath(QString("peers-%1.conf").arg(first));
            std::ofstream out(path.toStdString());
            out << "count " << n << "\n";
            for (int i = 0; i < n; ++i) {
                const int index = first + i;
                out << "[server " << (i + 1) << "]\n";
                if (silentEvery > 0 && index % silentEvery == silentEvery - 1)
                    out << "silent\n";
                else if (index % g_delayKinds)
                    out << "delay " << (index % g_delayKinds) << "\n";
            }
            out.close();
            auto worker = std::make_unique<PeerProcess>();
            started = worker->Start(program, {"--config", path, "--port", QString::number(base + first)},
                                    "game server \"[^\"]*\" on 127\\.0\\.0\\.1:(\\d+)");
            m_workers.push_back(std::move(worker));
        }
        if (!started)
            continue; // some port of this group was taken: try the next group
        m_base = base;
        const QString path = dir.filePath("master.conf");
        std::ofstream out(path.toStdString());
        out << "count 0\nmaster 0\n";
        for (int i = 0; i < count; ++i)
            out << "list 127.0.0.1:" << (base + i) << "\n";
        out.close();
        return m_master.Start(program, {"--config", path}, "master server on 127\\.0\\.0\\.1:(\\d+)");
    }
    return false;
}

struct Result
{
    int listed = 0;
    int answered = 0;
    int failed = 0;
    double seconds = 0.0;
    double pingErrorMeanMs = 0.0;
    double pingErrorMaxMs = 0.0;
    double pingErrorMedianMs = 0.0;
    double pingErrorP99Ms = 0.0;
    double bytesPerRecord = 0.0;
    double peakBytesPerRecord = 0.0;
};

// Mean, median and the 99th percentile of the absolute errors.
void Summarise(std::vector<double> errors, Result& result)
{
    if (errors.empty())
        return;
    double sum = 0.0;
    for (double e : errors)
        sum += e;
    result.pingErrorMeanMs = sum / double(errors.size());
    std::sort(errors.begin(), errors.end());
    result.pingErrorMedianMs = errors[errors.size() / 2];
    std::vector<double> magnitudes;
    for (double e : errors)
        magnitudes.push_back(std::fabs(e));
    std::sort(magnitudes.begin(), magnitudes.end());
    result.pingErrorP99Ms = magnitudes[std::min(magnitudes.size() - 1, magnitudes.size() * 99 / 100)];
    result.pingErrorMaxMs = magnitudes.back();
}

// The whole "kestrel-query refresh --list FILE --maxsockets 100 --json" command.
bool RunQuery(const QString& peerProgram, const QTemporaryDir& dir, const Scenario& s, Result& result)
{
    PeerGroup peers;
    if (!peers.Start(peerProgram, dir, s.servers, s.silentEvery)) {
        std::fprintf(stderr, "refresh_at_scale: kestrel-peer did not start\n");
        return false;
    }
    const QString listPath = dir.filePath("servers.txt");
    {
        std::ofstream list(listPath.toStdString());
        for (int i = 0; i < s.servers; ++i)
            list << "127.0.0.1:" << (peers.Base() + i) << "\n";
    }
    result.listed = s.servers;
    const long rssEmpty = StatusKb("VmRSS");
    const long peakBefore = StatusKb("VmHWM");
    std::string out, err;
    QElapsedTimer timer;
    timer.start();
    const int code =
        RunKestrelQuery({"kestrel-query", "refresh", "--list", listPath, "--maxsockets", QString::number(s.inFlight),
                         "--timeout", QString::number(kTimeout), "--retries", QString::number(kRetries), "--json"},
                        out, err, false);
    result.seconds = double(timer.nsecsElapsed()) / 1e9;
    if (code != kExitSuccess)
        std::fprintf(stderr, "refresh_at_scale: kestrel-query exited with %d: %s", code, err.c_str());
    std::vector<double> errors;
    for (const QJsonValue& v : QJsonDocument::fromJson(QByteArray::fromStdString(out)).array()) {
        const QJsonObject o = v.toObject();
        const int index = o["port"].toInt() - peers.Base();
        errors.push_back(double(o["ping_ms"].toInt()) - double(index % g_delayKinds));
    }
    result.answered = int(errors.size());
    result.failed = s.servers - result.answered;
    Summarise(errors, result);
    result.bytesPerRecord = double(StatusKb("VmRSS") - rssEmpty) * 1024.0 / s.servers;
    result.peakBytesPerRecord =
        double(std::max(0L, StatusKb("VmHWM") - std::max(peakBefore, rssEmpty))) * 1024.0 / s.servers;
    return true;
}

bool Run(const QString& peerProgram, const QTemporaryDir& dir, const Scenario& s, Result& result)
{
    PeerGroup peers;
    if (!peers.Start(peerProgram, dir, s.servers, s.silentEvery)) {
        std::fprintf(stderr, "refresh_at_scale: kestrel-peer did not start\n");
        return false;
    }
    ServiceAddressList services;
    services.AppendAddress(ServiceAddressList::Section::Master, "127.0.0.1", uint16_t(peers.MasterPort()));
    CNetGameDoc::Setup setup;
    setup.useListFile = false;
    setup.services = &services;
    setup.resolveServices = false;
    CNetGameDoc doc(CNetGameDoc::Kind::Internet, setup);
    doc.SetMaxInFlight(s.inFlight);
    doc.SetTimeoutAndRetries(kTimeout, kRetries);
    const long rssEmpty = StatusKb("VmRSS");
    const long peakBefore = StatusKb("VmHWM");

    doc.StartMasterListWithText(std::string());
    while (doc.MasterExchangeInProgress()) {
        WaitForNetworkEvents();
        doc.Work();
    }
    result.listed = doc.Count();

    QElapsedTimer timer;
    timer.start();
    doc.StartRefresh(doc.Head(), doc.RefreshAllParams());
    result.seconds = double(timer.nsecsElapsed()) / 1e9;

    std::vector<double> errors;
    for (const CServerInfo* r = doc.Head(); r; r = r->next) {
        if (r->status == CServerInfo::Failed) {
            ++result.failed;
            continue;
        }
        if (r->status != CServerInfo::Done)
            continue;
        ++result.answered;
        const int index = r->port - peers.Base();
        const double error = r->svping * 1000.0 - double(index % g_delayKinds);
        errors.push_back(error);
    }
    Summarise(errors, result);
    const double n = std::max(1, result.listed);
    result.bytesPerRecord = double(StatusKb("VmRSS") - rssEmpty) * 1024.0 / n;
    result.peakBytesPerRecord = double(std::max(0L, StatusKb("VmHWM") - std::max(peakBefore, rssEmpty))) * 1024.0 / n;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8()); // no settings of the player's are read
    // The event dispatcher kestrel-query runs on.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication application(argc, argv);
    const bool quick = application.arguments().contains("--quick");
    const bool queryOnly = application.arguments().contains("--query-only");
    const bool noQuery = application.arguments().contains("--no-query");
    const qsizetype kinds = application.arguments().indexOf("--delay-kinds");
    if (kinds > 0 && kinds + 1 < application.arguments().size())
        g_delayKinds = std::max(1, application.arguments()[kinds + 1].toInt());
    RaiseOpenFileLimit();
    Launcher().socketBudget = kMaxInFlight * 10;
    const QString peerProgram = QCoreApplication::applicationDirPath() + "/kestrel-peer";

    const Scenario answering{"10,000 answering", 10000, 0};
    const Scenario fewSilent{"1,000 with 100 silent", 1000, 10};
    const Scenario manySilent{"5,000 with 500 silent", 5000, 10};

    std::ifstream loadFile("/proc/loadavg");
    std::string load;
    std::getline(loadFile, load);
    std::printf("load average at the start: %s\n", load.c_str());
    std::printf("refresh through CNetGameDoc and RefreshEngine, %d in flight, time-out %.1f s, %d retries, "
                "delays 0 ... %d ms\n",
                kMaxInFlight, kTimeout, kRetries, g_delayKinds - 1);
    Result q;
    if (!noQuery && !RunQuery(peerProgram, dir, answering, q))
        return 1;
    if (!noQuery) {
        std::printf("%-24s kestrel-query refresh --list: answered %d of %d in %.3f s: %.0f servers/s\n",
                    answering.title, q.answered, q.listed, q.seconds, q.answered / q.seconds);
        std::printf(
            "%-24s ping error (whole ms of the JSON): mean %+.3f ms, median %+.3f ms, p99 %.3f ms, max %.3f ms\n", "",
            q.pingErrorMeanMs, q.pingErrorMedianMs, q.pingErrorP99Ms, q.pingErrorMaxMs);
        std::printf("%-24s memory per record: %.0f bytes resident after the command, %.0f bytes at the peak\n", "",
                    q.bytesPerRecord, q.peakBytesPerRecord);
    }
    if (queryOnly)
        return 0;
    Result r;
    if (!Run(peerProgram, dir, answering, r))
        return 1;
    std::printf("%-24s listed %d, answered %d in %.3f s: %.0f servers/s\n", answering.title, r.listed, r.answered,
                r.seconds, r.answered / r.seconds);
    std::printf("%-24s ping error against injected delays: mean %+.3f ms, median %+.3f ms, p99 %.3f ms, max %.3f ms\n",
                "", r.pingErrorMeanMs, r.pingErrorMedianMs, r.pingErrorP99Ms, r.pingErrorMaxMs);
    std::printf("%-24s memory per record: %.0f bytes resident after the refresh, %.0f bytes at the peak\n", "",
                r.bytesPerRecord, r.peakBytesPerRecord);

    // The same pings with few queries in flight: what the machine's scheduling adds
    // when the processes are busy shows as the difference.
    const Scenario calm{"1,000 answering, 4 in flight", 1000, 0, 4};
    Result c;
    if (!Run(peerProgram, dir, calm, c))
        return 1;
    std::printf("%-24s ping error: mean %+.3f ms, median %+.3f ms, max %.3f ms (%.0f servers/s)\n", calm.title,
                c.pingErrorMeanMs, c.pingErrorMedianMs, c.pingErrorMaxMs, c.answered / c.seconds);

    for (const Scenario* s : {&fewSilent, &manySilent}) {
        if (quick && s == &manySilent)
            break;
        Result t;
        if (!Run(peerProgram, dir, *s, t))
            return 1;
        const int silent = s->servers / s->silentEvery;
        const double floor = silent * kTimeout * (kRetries + 1) / kMaxInFlight;
        std::printf("%-24s answered %d, failed %d, pending %d, in %.2f s; floor %.1f s (%+.1f %%)\n", s->title,
                    t.answered, t.failed, t.listed - t.answered - t.failed, t.seconds, floor,
                    100.0 * (t.seconds - floor) / floor);
    }
    return 0;
}

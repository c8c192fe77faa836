// Custom-game download and unpacking speed against the curl and unzip commands on the
// same files in the same run (a program, not run by CTest):
//   build/default/bin/mod_download [MEGABYTES]
// A game of 200 files and one zip (200 MB by default) is served by a loopback FTP
// site (pyftpdlib) and web site; Kestrel's download must reach at least half of
// curl's throughput while a 1 ms timer standing in for the engine frame pump keeps
// running at least 30 times a second. unzip_main must take at most 1.25 times the
// unzip command's time on a 200 MB archive.
#include "app/text/Prompt.h"
#include "mods/download/ModDownload.h"
#include "mods/download/unzip_main.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <zip.h>

#include <algorithm>
#include <cstdio>

namespace {

class DeclineInstall : public Prompt
{
public:
    int Show(const std::string&, PromptButtons) override { return kPromptSecond; }
};

// Half random, half repeating: compresses about as well as game data.
QByteArray GameBytes(qsizetype size)
{
    QByteArray bytes(size, '\0');
    auto* words = reinterpret_cast<quint32*>(bytes.data());
    QRandomGenerator::global()->fillRange(words, size_t(size / 8));
    for (qsizetype i = size / 2; i < size; ++i)
        bytes[i] = char("kestrel map data "[i % 17]);
    return bytes;
}

bool WriteFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool WriteZip(const QString& path, int files, qsizetype fileSize)
{
    int error = 0;
    zip_t* archive = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive)
        return false;
    std::vector<QByteArray> keep;
    keep.push_back("game \"Bench\"\ngamedll \"x.so\"\n");
    zip_file_add(archive, "liblist.gam", zip_source_buffer(archive, keep.back().constData(), zip_uint64_t(keep.back().size()), 0), 0);
    for (int i = 0; i < files; ++i) {
        keep.push_back(GameBytes(fileSize));
        const std::string name = "maps/m" + std::to_string(i) + ".bsp";
        zip_file_add(archive, name.c_str(),
                     zip_source_buffer(archive, keep.back().constData(), zip_uint64_t(keep.back().size()), 0), 0);
    }
    return zip_close(archive) == 0;
}

struct Site
{
    Site(const char* kind, const QString& root)
    {
        process.start("/usr/bin/python3", {KESTREL_MODS_SITES, kind, root});
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {
        }
        port = process.readLine().trimmed().mid(5).toInt();
    }
    ~Site()
    {
        process.kill();
        process.waitForFinished();
    }
    QProcess process;
    int port = 0;
};

double RunCommand(const QString& program, const QStringList& arguments, const QString& directory)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    process.waitForFinished(-1);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (process.exitCode() != 0)
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), process.readAllStandardError().constData());
    return seconds;
}

// Runs the download; returns seconds, and the fewest timer ticks in any whole second.
double Download(const CModRecord& record, const QString& base, int& slowestTicks)
{
    int ticks = 0;
    slowestTicks = 1 << 30;
    QTimer pump;
    QObject::connect(&pump, &QTimer::timeout, [&] { ++ticks; });
    QTimer second;
    QObject::connect(&second, &QTimer::timeout, [&] {
        slowestTicks = std::min(slowestTicks, ticks);
        ticks = 0;
    });
    bool finished = false;
    ModDownload download(record, base.toStdString(), {nullptr, [&](ModDownload::State) { finished = true; }});
    QElapsedTimer timer;
    timer.start();
    pump.start(1);
    second.start(1000);
    download.Start();
    while (!finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    // The archive is not unpacked here (the install question is declined), so a web
    // download ends without a game: only a transfer failure counts.
    if (download.GetState() != ModDownload::State::Succeeded && download.DoneBytes() == 0)
        std::fprintf(stderr, "download failed: %s\n", download.FailureText().c_str());
    // A run shorter than a second: its rate over the time it took.
    if (slowestTicks == 1 << 30)
        slowestTicks = int(double(ticks) / std::max(seconds, 1e-3));
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const int megabytes = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
    DeclineInstall decline;
    SetPrompt(&decline);
    QTemporaryDir work;
    const QString root = work.path();
    const qsizetype half = qsizetype(megabytes) * 1024 * 1024 / 2;
    const qsizetype fileSize = half / 200;

    // The FTP tree: liblist, 200 files and one zip; the web site: the zip.
    WriteFile(root + "/site/bench/liblist.gam", "game \"Bench\"\ngamedll \"x.so\"\n");
    for (int i = 0; i < 200; ++i)
        WriteFile(root + "/site/bench/maps/m" + QString::number(i) + ".bsp", GameBytes(fileSize));
    WriteZip(root + "/site/bench/pack.zip", 50, half / 50);
    Site ftp("ftp", root + "/site");
    Site http("http", root + "/site");
    const QString ftpRoot = "ftp://127.0.0.1:" + QString::number(ftp.port) + "/bench/";
    const QString zipUrl = "http://127.0.0.1:" + QString::number(http.port) + "/bench/pack.zip";

    QStringList curlArguments{"-s", "--create-dirs", "-o", "liblist.gam", ftpRoot + "liblist.gam"};
    for (int i = 0; i < 200; ++i)
        curlArguments << "-o" << "maps/m" + QString::number(i) + ".bsp" << ftpRoot + "maps/m" + QString::number(i) + ".bsp";
    curlArguments << "-o" << "pack.zip" << ftpRoot + "pack.zip";
    QDir().mkpath(root + "/curl-ftp");
    const double curlFtp = RunCommand("curl", curlArguments, root + "/curl-ftp");
    QDir().mkpath(root + "/curl-http");
    const double curlHttp = RunCommand("curl", {"-s", "-o", "pack.zip", zipUrl}, root + "/curl-http");

    QDir().mkpath(root + "/home");
    CModRecord ftpGame;
    ftpGame.SetKey("game", "Bench");
    ftpGame.SetKey("gamedir", "benchftp");
    ftpGame.SetKey("url_dl", ftpRoot.toStdString());
    int ftpTicks = 0;
    const double ourFtp = Download(ftpGame, root + "/home", ftpTicks);
    CModRecord httpGame = ftpGame;
    httpGame.SetKey("gamedir", "benchhttp");
    httpGame.SetKey("url_dl", zipUrl.toStdString());
    int httpTicks = 0;
    const double ourHttp = Download(httpGame, root + "/home", httpTicks);

    const double mb = double(megabytes);
    std::printf("FTP  %d MB: curl %.2f s (%.0f MB/s), Kestrel %.2f s (%.0f MB/s), ratio %.2f, pump >= %d/s\n",
                megabytes, curlFtp, mb / curlFtp, ourFtp, mb / ourFtp, curlFtp / ourFtp, ftpTicks);
    std::printf("HTTP %d MB: curl %.2f s (%.0f MB/s), Kestrel %.2f s (%.0f MB/s), ratio %.2f, pump >= %d/s\n",
                megabytes / 2, curlHttp, mb / 2 / curlHttp, ourHttp, mb / 2 / ourHttp, curlHttp / ourHttp, httpTicks);

    // Unpacking a 200 MB archive.
    const QString bigZip = root + "/big.zip";
    WriteZip(bigZip, 100, qsizetype(megabytes) * 1024 * 1024 / 100);
    const double unzipCommand = RunCommand("unzip", {"-q", "-o", "-d", root + "/unzip-cmd", bigZip}, root);
    const std::string folder = (root + "/unzip-ours").toStdString();
    const std::string zip = bigZip.toStdString();
    const char* const args[] = {"unzip", "-d", folder.c_str(), zip.c_str()};
    QElapsedTimer timer;
    timer.start();
    const int result = unzip_main(4, args);
    const double ours = double(timer.nsecsElapsed()) / 1e9;
    std::printf("unzip %d MB: unzip %.2f s, unzip_main %.2f s (result %d), ratio %.2f\n", megabytes, unzipCommand,
                ours, result, ours / unzipCommand);
    SetPrompt(nullptr);
    const bool ok = curlFtp / ourFtp >= 0.5 && curlHttp / ourHttp >= 0.5 && ftpTicks >= 30 && httpTicks >= 30 &&
                    result == 0 && ours <= 1.25 * unzipCommand;
    std::printf("%s\n", ok ? "within the targets" : "OUTSIDE the targets");
    return ok ? 0 : 1;
}

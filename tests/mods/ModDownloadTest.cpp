// Downloads and installation against real loopback sites: an FTP tree lands in the
// game's directory, a hostile listing or a missing liblist.gam fails, HTTP zips are
// unpacked, other files only saved, programs never run, broken pages fail, and Stop
// or a failure leaves no partial file and the installed copy as it was.
#include "LoopbackSite.h"
#include "ZipBuilder.h"
#include "app/text/StringList.h"
#include "mods/download/ModDownload.h"
#include "mods/download/SafeFiles.h"
#include "support/RecordingPrompt.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

CModRecord Game(const std::string& gamedir, const std::string& url)
{
    CModRecord record;
    record.SetKey("game", "Game " + gamedir);
    record.SetKey("gamedir", gamedir);
    record.SetKey("url_dl", url);
    return record;
}

struct Outcome
{
    ModDownload::State state = ModDownload::State::Idle;
    std::vector<std::string> status;
    std::string failure;
};

// Runs a download to its end (at most 60 seconds).
Outcome Download(const CModRecord& record, const QString& base)
{
    Outcome outcome;
    bool finished = false;
    ModDownload download(record, base.toStdString(),
                         {[&](const std::string& text) { outcome.status.push_back(text); },
                          [&](ModDownload::State) { finished = true; }});
    download.Start();
    const QDeadlineTimer deadline(60000);
    while (!finished && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    outcome.state = download.GetState();
    outcome.failure = download.FailureText();
    return outcome;
}

QStringList FilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(folder.size() + 1);
    files.sort();
    return files;
}

bool Executable(const QString& path)
{
    struct stat st {};
    return ::stat(path.toLocal8Bit().constData(), &st) == 0 && (st.st_mode & 0111) != 0;
}

class Sites : public ::testing::Test
{
protected:
    TempTree site;  // what the servers offer
    TempTree base;  // the game tree the launcher writes into
    RecordingPrompt prompt;
};

} // namespace

TEST_F(Sites, AnFtpTreeLandsBelowTheRootInTheGameDirectory)
{
    site.Write("games/fun/liblist.gam", "game \"Fun\" gamedll \"dlls/fun.so\"\n");
    site.Write("games/fun/maps/a.bsp", QByteArray(200000, 'm'));
    site.Write("games/fun/maps/deep/b.bsp", "b");
    site.Write("games/fun/.hidden/x.txt", "x");
    site.Write("games/fun/.profile", "p");
    site.Write("games/other.txt", "not below the root");
    QFile::setPermissions(site.Abs("games/fun/maps/deep/b.bsp"), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                                     QFileDevice::ReadOther | QFileDevice::ExeOther);
    LoopbackSite ftp(LoopbackSite::Ftp, site.Path());
    ASSERT_NE(ftp.Port(), 0);

    const Outcome outcome = Download(Game("fun", "127.0.0.1:" + std::to_string(ftp.Port()) + "/games/fun"), base.Path());
    ASSERT_EQ(outcome.state, ModDownload::State::Succeeded) << outcome.failure;
    EXPECT_EQ(FilesBelow(base.Path()), QStringList({"fun/liblist.gam", "fun/maps/a.bsp", "fun/maps/deep/b.bsp"}));
    EXPECT_EQ(base.Read("fun/maps/a.bsp").size(), 200000);
    EXPECT_FALSE(Executable(base.Abs("fun/maps/deep/b.bsp")));
    EXPECT_EQ(outcome.status.back(), ModDownload::DoneText("Game fun", 200000 + 1 + 35));
}

TEST_F(Sites, AnFtpRootWithATrailingSlashAndItsZipIsUnpacked)
{
    site.Write("pack/liblist.gam", "game Pack gamedll x\n");
    ASSERT_TRUE(WriteZip(site.Abs("pack/PACK.zip"), {{"maps/z.bsp", "zip map"}}));
    LoopbackSite ftp(LoopbackSite::Ftp, site.Path());
    ASSERT_NE(ftp.Port(), 0);
    const Outcome outcome =
        Download(Game("pack", "ftp://127.0.0.1:" + std::to_string(ftp.Port()) + "/pack/"), base.Path());
    ASSERT_EQ(outcome.state, ModDownload::State::Succeeded) << outcome.failure;
    EXPECT_EQ(base.Read("pack/maps/z.bsp"), "zip map");
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_EQ(prompt.Texts()[0], FormatString(ModDownload::kMsgInstall, "PACK.zip"));
}

TEST_F(Sites, AnFtpRootWithoutLiblistFailsBeforeListing)
{
    site.Write("empty/maps/a.bsp", "a");
    LoopbackSite ftp(LoopbackSite::Ftp, site.Path());
    ASSERT_NE(ftp.Port(), 0);
    const std::string url = "127.0.0.1:" + std::to_string(ftp.Port()) + "/empty";
    const Outcome outcome = Download(Game("empty", url), base.Path());
    EXPECT_EQ(outcome.state, ModDownload::State::Failed);
    EXPECT_EQ(outcome.failure, FormatString(ModDownload::kMsgNotFound, url.c_str()));
    EXPECT_TRUE(FilesBelow(base.Path()).isEmpty());
    EXPECT_TRUE(QDir(base.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST_F(Sites, AHostileFtpListingFailsTheDownload)
{
    site.Write("liblist.gam", "gamedll x");
    LoopbackSite ftp(LoopbackSite::HostileFtp, site.Path());
    ASSERT_NE(ftp.Port(), 0);
    const Outcome outcome = Download(Game("evil", "127.0.0.1:" + std::to_string(ftp.Port())), base.Path());
    EXPECT_EQ(outcome.state, ModDownload::State::Failed);
    EXPECT_TRUE(FilesBelow(base.Path()).isEmpty());
    EXPECT_TRUE(FilesBelow(base.Abs("..")).filter("escape").isEmpty());
}

TEST_F(Sites, AnHttpZipIsUnpackedAndATextFileOnlySaved)
{
    QDir().mkpath(site.Abs("files"));
    ASSERT_TRUE(WriteZip(site.Abs("files/sky.ZIP"), {{"liblist.gam", "game Sky gamedll x"}, {"maps/s.bsp", "s"}}));
    site.Write("files/readme.txt", "just text");
    LoopbackSite http(LoopbackSite::Http, site.Path());
    ASSERT_NE(http.Port(), 0);
    const std::string root = "http://127.0.0.1:" + std::to_string(http.Port()) + "/files/";

    Outcome outcome = Download(Game("sky", root + "sky.ZIP?mirror=1"), base.Path());
    ASSERT_EQ(outcome.state, ModDownload::State::Succeeded) << outcome.failure;
    EXPECT_EQ(base.Read("sky/maps/s.bsp"), "s");

    outcome = Download(Game("notes", root + "readme.txt"), base.Path());
    EXPECT_EQ(outcome.state, ModDownload::State::Failed); // saved, but no game to install
    EXPECT_EQ(base.Read("notes/readme.txt"), "just text");
}

TEST_F(Sites, AZipEntryWhoseNameIsNotUtf8IsInstalledUnderItsOwnName)
{
    QDir().mkpath(site.Abs("files"));
    const std::string odd = "maps/caf\x82.bsp"; // a CP437 name: its bytes are not UTF-8
    ASSERT_TRUE(WriteZip(site.Abs("files/odd.zip"),
                         {{"liblist.gam", "game Odd gamedll odd"}, {odd, "map", ZipItem::Cp437Name}}));
    LoopbackSite http(LoopbackSite::Http, site.Path());
    ASSERT_NE(http.Port(), 0);
    const Outcome outcome =
        Download(Game("odd", "http://127.0.0.1:" + std::to_string(http.Port()) + "/files/odd.zip"), base.Path());
    ASSERT_EQ(outcome.state, ModDownload::State::Succeeded) << outcome.failure;
    struct stat st {};
    EXPECT_EQ(::lstat((base.Path().toStdString() + "/odd/" + odd).c_str(), &st), 0);
    EXPECT_EQ(base.Read("odd/liblist.gam"), "game Odd gamedll odd");

    // Refused, the same archive leaves nothing behind in the private folder either.
    ASSERT_TRUE(WriteZip(site.Abs("files/oddbroken.zip"), {{"liblist.gam", "game Broken"}, {odd, "map", ZipItem::Cp437Name}}));
    const Outcome refused =
        Download(Game("broken", "http://127.0.0.1:" + std::to_string(http.Port()) + "/files/oddbroken.zip"), base.Path());
    EXPECT_EQ(refused.state, ModDownload::State::Failed);
    EXPECT_EQ(QDir(base.Path()).entryList({".kestrel-download*"}, QDir::AllEntries | QDir::Hidden), QStringList());
    // The test folder's own removal goes by text and would miss the odd name.
    RemoveTreeNoFollow(base.Path().toStdString() + "/odd");
}

TEST_F(Sites, AnExeIsSavedNeverRunAndNotInstalled)
{
    site.Write("setup.exe", "#!/bin/sh\ntouch ran\n");
    LoopbackSite http(LoopbackSite::Http, site.Path());
    ASSERT_NE(http.Port(), 0);
    const Outcome outcome =
        Download(Game("setup", "http://127.0.0.1:" + std::to_string(http.Port()) + "/setup.exe"), base.Path());
    EXPECT_EQ(outcome.state, ModDownload::State::Failed);
    EXPECT_TRUE(base.Exists("setup/setup.exe"));
    EXPECT_FALSE(Executable(base.Abs("setup/setup.exe")));
    EXPECT_FALSE(base.Exists("setup/ran"));
    ASSERT_EQ(prompt.Texts().size(), 1u);
    EXPECT_NE(prompt.Texts()[0].find("setup/setup.exe"), std::string::npos);
}

TEST_F(Sites, BrokenPagesFailAndLeaveTheInstalledCopyAsItWas)
{
    base.Write("kept/liblist.gam", "game Kept gamedll old");
    LoopbackSite http(LoopbackSite::Http, site.Path());
    ASSERT_NE(http.Port(), 0);
    const std::string root = "http://127.0.0.1:" + std::to_string(http.Port());
    for (const char* path : {"/missing.zip", "/short.zip", "/loop.zip", "/", "/a/..", "/%2e%2e", "/x%2Fy.zip"}) {
        const Outcome outcome = Download(Game("kept", root + path), base.Path());
        EXPECT_EQ(outcome.state, ModDownload::State::Failed) << path;
        EXPECT_EQ(FilesBelow(base.Path()), QStringList({"kept/liblist.gam"})) << path;
        EXPECT_EQ(base.Read("kept/liblist.gam"), "game Kept gamedll old");
    }
}

TEST_F(Sites, AnUnusableOrBrokenDownloadLeavesTheInstalledCopyAsItWas)
{
    base.Write("kept/liblist.gam", "game Kept gamedll old");
    base.Write("kept/maps/a.bsp", "old map");
    QDir().mkpath(site.Abs("files"));
    // Whole files, but the game's liblist.gam names no game library.
    ASSERT_TRUE(WriteZip(site.Abs("files/nogame.zip"), {{"liblist.gam", "game Broken"}, {"maps/a.bsp", "new map"}}));
    // An archive whose second entry fails its check after the first was unpacked.
    const QByteArray stored = "game New gamedll new";
    ASSERT_TRUE(WriteZip(site.Abs("files/half.zip"), {{"maps/a.bsp", "new map"}, {"liblist.gam", stored, ZipItem::Stored}}));
    ASSERT_TRUE(CorruptFirstStoredByte(site.Abs("files/half.zip"), stored));
    LoopbackSite http(LoopbackSite::Http, site.Path());
    ASSERT_NE(http.Port(), 0);
    const std::string root = "http://127.0.0.1:" + std::to_string(http.Port()) + "/files/";
    for (const char* file : {"nogame.zip", "half.zip"}) {
        const Outcome outcome = Download(Game("kept", root + file), base.Path());
        EXPECT_EQ(outcome.state, ModDownload::State::Failed) << file;
        EXPECT_EQ(FilesBelow(base.Path()), QStringList({"kept/liblist.gam", "kept/maps/a.bsp"})) << file;
        EXPECT_EQ(base.Read("kept/maps/a.bsp"), "old map") << file;
        EXPECT_EQ(base.Read("kept/liblist.gam"), "game Kept gamedll old") << file;
    }
}

TEST_F(Sites, StopLeavesNoPartialFile)
{
    LoopbackSite http(LoopbackSite::Http, site.Path());
    ASSERT_NE(http.Port(), 0);
    ModDownload download(Game("slow", "http://127.0.0.1:" + std::to_string(http.Port()) + "/slow.zip"),
                         base.PathStd(), {});
    ASSERT_TRUE(download.Start());
    const QDeadlineTimer deadline(30000);
    while (download.DoneBytes() < 4096 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_GE(download.DoneBytes(), 4096u);
    download.Stop();
    EXPECT_EQ(download.GetState(), ModDownload::State::Stopped);
    EXPECT_TRUE(QDir(base.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST(ModUrlParse, BothFormsOneParser)
{
    const auto plain = ParseModUrl("mods.example.org:2121/games/fun");
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->Text(), "ftp://mods.example.org:2121/games/fun");
    const auto http = ParseModUrl("HTTP://host/a/b.zip?x=1#frag");
    ASSERT_TRUE(http);
    EXPECT_EQ(http->scheme, "http");
    EXPECT_EQ(*HttpLocalName(*http), "b.zip");
    for (const char* bad : {"file:///etc/passwd", "gopher://h/x", "http://user@h/x", "http://h:99999/x", "http://h/a b",
                            "ftp://", "//host/x", "http://h/\x01"})
        EXPECT_FALSE(ParseModUrl(bad)) << bad;
    EXPECT_TRUE(IsOpenableInfoUrl("https://example.org/about"));
    EXPECT_FALSE(IsOpenableInfoUrl("ftp://example.org/about"));
    EXPECT_FALSE(IsOpenableInfoUrl("example.org/about"));
    EXPECT_FALSE(IsOpenableInfoUrl("javascript:alert(1)"));
}

// unzip_main over archives made in the test: a sound archive lands in the folder, and
// every unsafe one is refused whole with nothing written, or fails while unpacking
// without leaving a partial file.
#include "ZipBuilder.h"
#include "mods/download/unzip_main.h"
#include "support/TempTree.h"

#include <QDir>
#include <QDirIterator>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

int Unzip(const QString& folder, const QString& zip)
{
    const std::string f = folder.toStdString();
    const std::string z = zip.toStdString();
    const char* const argv[] = {"unzip", "-d", f.c_str(), z.c_str()};
    return unzip_main(4, argv);
}

// Every file below a folder, hidden ones too.
QStringList FilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    return files;
}

} // namespace

TEST(Unzip, ASoundArchiveLandsInTheFolder)
{
    TempTree tree;
    const QString zip = tree.Abs("game.zip");
    ASSERT_TRUE(WriteZip(zip, {{"liblist.gam", "game x gamedll y"}, {"maps/", ""}, {"maps/a.bsp", QByteArray(70000, 'a')},
                               {"sound\\b.wav", "wav"}}));
    EXPECT_EQ(Unzip(tree.Abs("game"), zip), kUnzipOk);
    EXPECT_EQ(tree.Read("game/maps/a.bsp").size(), 70000);
    EXPECT_EQ(tree.Read("game/sound/b.wav"), "wav");
    struct stat st {};
    ASSERT_EQ(::stat(tree.Abs("game/maps/a.bsp").toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0111, 0u);
    EXPECT_EQ(FilesBelow(tree.Abs("game")).size(), 3);
}

TEST(Unzip, UnsafeArchivesAreRefusedWholeWithNothingWritten)
{
    const std::vector<std::vector<ZipItem>> archives = {
        {{"ok.txt", "ok"}, {"/etc/evil", "x"}},
        {{"ok.txt", "ok"}, {"maps/../../evil", "x"}},
        {{"ok.txt", "ok"}, {"maps\\..\\..\\evil", "x"}},
        {{"ok.txt", "ok"}, {"C:/evil", "x"}},
        {{"ok.txt", "ok"}, {"link", "/etc/passwd", ZipItem::Link}},
        {{"ok.txt", "ok"}, {"secret.txt", "hidden", ZipItem::Encrypted}},
    };
    for (size_t i = 0; i < archives.size(); ++i) {
        TempTree tree;
        const QString zip = tree.Abs("bad.zip");
        ASSERT_TRUE(WriteZip(zip, archives[i])) << i;
        EXPECT_NE(Unzip(tree.Abs("out/game"), zip), kUnzipOk) << i;
        EXPECT_FALSE(QDir(tree.Abs("out")).exists()) << i;
        EXPECT_EQ(FilesBelow(tree.Path()).size(), 1) << i;
    }
}

TEST(Unzip, TooManyEntriesOrTooManyBytesAreRefused)
{
    std::vector<UnzipEntry> many(size_t(kMaxUnzipEntries) + 1);
    for (size_t i = 0; i < many.size(); ++i)
        many[i].name = "f" + std::to_string(i);
    EXPECT_EQ(CheckUnzipEntries(many, UINT64_MAX), kUnzipRefused);
    many.resize(size_t(kMaxUnzipEntries));
    EXPECT_EQ(CheckUnzipEntries(many, UINT64_MAX), kUnzipOk);

    std::vector<UnzipEntry> big{{"a", kMaxUnzipBytes / 2 + 1}, {"b", kMaxUnzipBytes / 2}};
    EXPECT_EQ(CheckUnzipEntries(big, UINT64_MAX), kUnzipRefused);
    std::vector<UnzipEntry> wraps{{"a", UINT64_MAX}, {"b", 2}};
    EXPECT_EQ(CheckUnzipEntries(wraps, UINT64_MAX), kUnzipRefused);
    std::vector<UnzipEntry> fits{{"a", 1000}};
    EXPECT_EQ(CheckUnzipEntries(fits, 999), kUnzipRefused);
    EXPECT_EQ(CheckUnzipEntries(fits, 1000), kUnzipOk);
}

TEST(Unzip, ABombThatLiesAboutItsSizeFailsWithoutAPartialFile)
{
    TempTree tree;
    const QString zip = tree.Abs("bomb.zip");
    ASSERT_TRUE(WriteZip(zip, {{"big.bin", QByteArray(1 << 20, '\0')}}));
    ASSERT_TRUE(PatchDeclaredSizes(zip, 10));
    EXPECT_NE(Unzip(tree.Abs("game"), zip), kUnzipOk);
    EXPECT_TRUE(FilesBelow(tree.Abs("game")).isEmpty());
}

TEST(Unzip, ACrcErrorFailsWithoutAPartialFile)
{
    TempTree tree;
    const QString zip = tree.Abs("crc.zip");
    const QByteArray data = "0123456789abcdefghijklmnopqrstuvwxyz";
    ASSERT_TRUE(WriteZip(zip, {{"a.txt", data, ZipItem::Stored}}));
    ASSERT_TRUE(CorruptFirstStoredByte(zip, data));
    EXPECT_NE(Unzip(tree.Abs("game"), zip), kUnzipOk);
    EXPECT_TRUE(FilesBelow(tree.Abs("game")).isEmpty());
}

TEST(Unzip, NoWriteFollowsASymbolicLinkInTheFolder)
{
    TempTree tree;
    QDir().mkpath(tree.Abs("outside"));
    QDir().mkpath(tree.Abs("game"));
    ASSERT_EQ(::symlink(tree.Abs("outside").toLocal8Bit().constData(), tree.Abs("game/maps").toLocal8Bit().constData()),
              0);
    ASSERT_EQ(::symlink(tree.Abs("outside/target.txt").toLocal8Bit().constData(),
                        tree.Abs("game/top.txt").toLocal8Bit().constData()),
              0);
    const QString zip = tree.Abs("game.zip");
    ASSERT_TRUE(WriteZip(zip, {{"top.txt", "replaced"}, {"maps/a.bsp", "map"}}));
    EXPECT_NE(Unzip(tree.Abs("game"), zip), kUnzipOk);
    EXPECT_TRUE(FilesBelow(tree.Abs("outside")).isEmpty());
    // The link at top.txt was replaced by a file of its own, not written through.
    struct stat st {};
    ASSERT_EQ(::lstat(tree.Abs("game/top.txt").toLocal8Bit().constData(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
}

TEST(Unzip, BadArgumentsAndMissingArchivesFail)
{
    const char* const two[] = {"unzip", "-d"};
    EXPECT_EQ(unzip_main(2, two), kUnzipUsage);
    TempTree tree;
    EXPECT_EQ(Unzip(tree.Abs("game"), tree.Abs("none.zip")), kUnzipOpenFailed);
}

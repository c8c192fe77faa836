#include "DemoTreeFixture.h"

#include "app/files/PackFile.h"
#include "app/files/SearchPath.h"
#include "app/settings/ActiveCustomGame.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"
#include "demo/DemoWorld.h"

#include <QFile>

TempTree* DemoTreeTest::s_tree = nullptr;
QString DemoTreeTest::s_error;

void DemoTreeTest::SetUpTestSuite()
{
    s_tree = new TempTree;
    s_error.clear();
    if (!DemoWorld::Write(s_tree->Path(), &s_error) && s_error.isEmpty())
        s_error = "failed without a reason";
}

void DemoTreeTest::TearDownTestSuite()
{
    delete s_tree;
    s_tree = nullptr;
}

void DemoTreeTest::SetUp()
{
    ASSERT_TRUE(s_error.isEmpty()) << s_error.toStdString();
    m_savedBase = Launcher().baseDirectory;
    m_savedCommandLine = EffectiveCommandLine().Text();
    Launcher().baseDirectory = Tree().PathStd();
    EffectiveCommandLine() = CommandLine("kestrel -game vrel");
    SetActiveCustomGame(std::nullopt);
    ResetSearchPath();
}

void DemoTreeTest::TearDown()
{
    ResetSearchPath();
    Launcher().baseDirectory = m_savedBase;
    EffectiveCommandLine() = CommandLine(m_savedCommandLine);
}

QByteArray DemoTreeTest::ReadArchived(const std::string& name) const
{
    const auto pack = ReadPackFile(Tree().PathStd() + "/harrow/pak0.pak");
    if (!pack)
        return {};
    QFile file(Abs("harrow/pak0.pak"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const PackEntry& entry : pack->entries)
        if (entry.name == name && file.seek(entry.position))
            return file.read(entry.length);
    return {};
}

QStringList QuotedTokens(const QByteArray& text, bool skipComments)
{
    QStringList tokens;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
        } else if (skipComments && c == '/' && i + 1 < n && text[i + 1] == '/') {
            while (i < n && text[i] != '\n')
                ++i;
        } else if (c == '"') {
            const qsizetype close = text.indexOf('"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            tokens << QString::fromUtf8(text.mid(i + 1, end - i - 1));
            i = end + 1;
        } else {
            const qsizetype start = i;
            while (i < n && !QByteArray(" \t\r\n\"").contains(text[i]))
                ++i;
            tokens << QString::fromUtf8(text.mid(start, i - start));
        }
    }
    return tokens;
}

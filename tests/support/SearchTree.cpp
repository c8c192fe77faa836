#include "SearchTree.h"

#include "app/files/SearchPath.h"
#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"

#include <QDir>

SearchTree::SearchTree() : m_savedBase(Launcher().baseDirectory), m_savedGame(Launcher().gameDirectory)
{
    QDir().mkpath(m_tree.Abs("harrow"));
    QDir().mkpath(m_tree.Abs("vrel"));
    Launcher().baseDirectory = m_tree.PathStd();
    EffectiveCommandLine() = CommandLine("kestrel -game vrel");
    ResetSearchPath();
    InitSearchPath();
}

SearchTree::~SearchTree()
{
    ResetSearchPath();
    EffectiveCommandLine() = CommandLine();
    Launcher().baseDirectory = m_savedBase;
    Launcher().gameDirectory = m_savedGame;
}

void SearchTree::WriteGame(const QString& relative, const QByteArray& bytes) const
{
    m_tree.Write("vrel/" + relative, bytes);
}

void SearchTree::WriteBase(const QString& relative, const QByteArray& bytes) const
{
    m_tree.Write("harrow/" + relative, bytes);
}

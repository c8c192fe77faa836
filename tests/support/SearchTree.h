#pragma once
// A temporary game tree ("harrow" and "vrel" below a base directory) with the game
// file search pointed at it for the lifetime of the object.
#include "TempTree.h"

#include <string>

class SearchTree
{
public:
    SearchTree();
    ~SearchTree();
    SearchTree(const SearchTree&) = delete;
    SearchTree& operator=(const SearchTree&) = delete;

    const TempTree& Tree() const { return m_tree; }
    // Writes a file below the game directory "vrel" or the base game "harrow".
    void WriteGame(const QString& relative, const QByteArray& bytes) const;
    void WriteBase(const QString& relative, const QByteArray& bytes) const;
    QString GameDirectory() const { return m_tree.Abs("vrel"); }

private:
    TempTree m_tree;
    std::string m_savedBase;
    std::string m_savedGame;
};

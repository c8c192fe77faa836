#pragma once
// A demo world written into a temporary folder, with the launcher's file search
// pointed at it as the launcher sets it up ("-game vrel").
#include "support/TempTree.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <string>

class DemoTreeTest : public ::testing::Test
{
protected:
    // One world serves the whole suite: the tests only read it.
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    QByteArray Read(const QString& relative) const { return Tree().Read(relative); }
    QString Abs(const QString& relative) const { return Tree().Abs(relative); }
    static const TempTree& Tree() { return *s_tree; }
    // Bytes of one file inside harrow/pak0.pak, empty when absent.
    QByteArray ReadArchived(const std::string& name) const;

private:
    static TempTree* s_tree;
    static QString s_error;
    std::string m_savedBase;
    std::string m_savedCommandLine;
};

// Tokens of a text as the launcher's lists are read in quoted mode: words end at
// blanks, a double quote starts a text that runs to the next double quote.
QStringList QuotedTokens(const QByteArray& text, bool skipComments);

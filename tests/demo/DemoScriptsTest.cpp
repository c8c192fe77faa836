// The option scripts follow the grammar the launcher reads and use every type.
#include "DemoTreeFixture.h"

#include <QSet>

namespace {

struct ScriptSummary
{
    bool ok = false;
    QString error;
    QSet<QString> types;
    int options = 0;
    int setInfo = 0;
};

// Walks the tokens: VERSION 1.0 DESCRIPTION name { option... }.
ScriptSummary Walk(const QStringList& t, const QString& name)
{
    ScriptSummary s;
    qsizetype i = 0;
    auto next = [&]() -> QString { return i < t.size() ? t[i++] : QString(); };
    auto expect = [&](const QString& want) {
        const QString got = next();
        if (got.compare(want, Qt::CaseInsensitive) != 0 && s.error.isEmpty())
            s.error = QStringLiteral("expected %1, got '%2' at token %3").arg(want, got).arg(i);
        return s.error.isEmpty();
    };
    if (!expect("VERSION"))
        return s;
    if (next().toDouble() != 1.0) {
        s.error = "version";
        return s;
    }
    if (!expect("DESCRIPTION") || !expect(name) || !expect("{"))
        return s;
    while (i < t.size() && t[i] != "}") {
        const QString cvar = next(), brace = next(), prompt = next();
        if (cvar.isEmpty() || prompt.isEmpty() || brace != "{" || !expect("{")) {
            s.error = s.error.isEmpty() ? "option head of " + cvar : s.error;
            return s;
        }
        if (prompt.contains('%') || prompt.contains('"')) {
            s.error = "prompt with % or quote: " + prompt;
            return s;
        }
        const QString type = next().toUpper();
        s.types << type;
        if (type == "NUMBER") {
            next();
            next();
        } else if (type == "LIST") {
            int entries = 0;
            for (QString label = next(); label != "}"; label = next(), ++entries)
                if (label.isEmpty() || next().isEmpty()) {
                    s.error = "list entry of " + cvar;
                    return s;
                }
            if (entries == 0) {
                s.error = "empty list " + cvar;
                return s;
            }
            --i; // the closing brace is read below
        } else if (type != "BOOL" && type != "STRING") {
            s.error = "type " + type;
            return s;
        }
        if (!expect("}") || !expect("{"))
            return s;
        if (next().isEmpty()) {
            s.error = "empty default of " + cvar;
            return s;
        }
        if (!expect("}"))
            return s;
        if (i < t.size() && t[i].compare("SetInfo", Qt::CaseInsensitive) == 0) {
            ++i;
            ++s.setInfo;
        }
        if (!expect("}"))
            return s;
        ++s.options;
    }
    s.ok = expect("}") && i == t.size();
    return s;
}

} // namespace

TEST_F(DemoTreeTest, ServerOptionsScriptParsesWithEveryType)
{
    const ScriptSummary s = Walk(QuotedTokens(Read("vrel/settings.scr"), true), "SERVER_OPTIONS");
    ASSERT_TRUE(s.ok) << s.error.toStdString();
    EXPECT_EQ(s.types, QSet<QString>({"BOOL", "NUMBER", "LIST", "STRING"}));
    EXPECT_GT(s.options, 8) << "enough options for a second page";
}

TEST_F(DemoTreeTest, UserOptionsScriptParsesWithEveryTypeAndUserInfo)
{
    const ScriptSummary s = Walk(QuotedTokens(Read("vrel/user.scr"), true), "INFO_OPTIONS");
    ASSERT_TRUE(s.ok) << s.error.toStdString();
    EXPECT_EQ(s.types, QSet<QString>({"BOOL", "NUMBER", "LIST", "STRING"}));
    EXPECT_GT(s.setInfo, 0);
    EXPECT_LT(s.setInfo, s.options);
}

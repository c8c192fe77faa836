#include "browser/record/CPlayerInfo.h"

#include "app/text/CToken.h"
#include "app/text/Messages.h"
#include "app/text/TextCase.h"
#include "browser/record/RecordTextWriter.h"
#include "platform/NumberText.h"

void CPlayerInfo::SetField(const std::string& key, const std::string& value)
{
    if (SameText(key, "name"))
        name = value;
    else if (SameText(key, "id"))
        id = ParseInt(value);
    else if (SameText(key, "colors"))
        colors = ParseInt(value);
    else if (SameText(key, "frags"))
        frags = ParseInt(value);
    else if (SameText(key, "time"))
        time = ParseInt(value);
}

void CPlayerInfo::Write(int index, std::string& out) const
{
    RecordTextWriter w(out);
    w.Word(3, "player", index);
    w.Line(3, "{");
    w.Field(4, "name", name);
    w.Field(4, "id", id);
    w.Field(4, "colors", colors);
    w.Field(4, "frags", frags);
    w.Field(4, "time", time);
    w.Line(3, "}");
}

bool CPlayerInfo::Read(CToken& cursor)
{
    const std::string open = cursor.NextToken();
    if (open != "{") {
        ShowText("Expecting '{', got '" + open + "'");
        return false;
    }
    for (;;) {
        const std::string key = cursor.NextToken();
        if (key.empty())
            return false;
        if (key == "}")
            return true;
        // The next record's start inside a player block means this one was cut short.
        if (SameText(key, "server"))
            return false;
        SetField(key, cursor.NextToken());
    }
}

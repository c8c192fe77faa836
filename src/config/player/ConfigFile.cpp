#include "config/player/ConfigFile.h"

#include <algorithm>
#include <strings.h>

namespace {

// Spaces, control characters and bytes with the high bit set separate words.
bool IsSeparator(char c)
{
    return static_cast<signed char>(c) <= ' ';
}

bool SameText(const std::string& a, const char* b)
{
    return strcasecmp(a.c_str(), b) == 0;
}

// The words of one line: quoted words run to the closing quote or the line's end,
// "//" ends the line (the comment, from the "//" on, goes to comment).
std::vector<std::string> LineTokens(std::string_view line, std::string& comment)
{
    std::vector<std::string> tokens;
    size_t at = 0;
    comment.clear();
    for (;;) {
        while (at < line.size() && IsSeparator(line[at]))
            ++at;
        if (at >= line.size())
            return tokens;
        if (line[at] == '/' && at + 1 < line.size() && line[at + 1] == '/') {
            comment = std::string(line.substr(at));
            return tokens;
        }
        std::string token;
        if (line[at] == '"') {
            ++at;
            while (at < line.size() && line[at] != '"')
                token += line[at++];
            if (at < line.size())
                ++at;
        } else {
            while (at < line.size() && !IsSeparator(line[at]))
                token += line[at++];
        }
        tokens.push_back(std::move(token));
    }
}

// A value written between quotes cannot hold a quote or a line break.
std::string QuotedText(const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (char c : text)
        if (c != '"' && c != '\r' && c != '\n' && c != '\0')
            out += c;
    out += '"';
    return out;
}

// A comment that followed a statement on its line, written back after it.
std::string Comment(const ConfigFile::Statement& statement)
{
    return statement.comment.empty() ? std::string() : ' ' + statement.comment;
}

int Rank(ConfigFile::Kind kind)
{
    switch (kind) {
    case ConfigFile::Kind::Bind:
        return 0;
    case ConfigFile::Kind::Variable:
        return 1;
    case ConfigFile::Kind::Plus:
        return 2;
    default:
        return 3;
    }
}

} // namespace

void ConfigFile::Parse(std::string_view bytes, const KeyNames& keyNames)
{
    m_statements.clear();
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        ParseLine(bytes.substr(start, end - start), keyNames);
        start = end + 1;
    }
}

// A word written without quotes must read back as the same single word.
bool IsPlainWord(const std::string& word)
{
    return !word.empty() && std::none_of(word.begin(), word.end(), [](char c) { return IsSeparator(c) || c == '"'; });
}

bool IsQuotable(const std::string& value)
{
    return value.find('"') == std::string::npos;
}

void ConfigFile::ParseLine(std::string_view bytes, const KeyNames& keyNames)
{
    // NUL bytes and CRs separate words like spaces; as spaces, a line kept as written
    // reads back the same.
    std::string line(bytes);
    if (!line.empty() && line.back() == '\r')
        line.pop_back(); // a CR LF line end
    std::replace(line.begin(), line.end(), '\0', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::string comment;
    const std::vector<std::string> tokens = LineTokens(line, comment);
    Statement statement;
    const size_t count = tokens.size();
    if (count == 0 && comment.empty())
        return;
    if (count == 1 && SameText(tokens[0], "unbindall"))
        return; // every written file starts with one
    const bool writable = std::all_of(tokens.begin(), tokens.end(), IsQuotable) && count >= 1 &&
                          (count == 1 || IsPlainWord(tokens[count == 3 ? 1 : 0]));
    if (!writable) {
        statement.kind = Kind::Verbatim;
    } else if (count == 3 && SameText(tokens[0], "bind")) {
        statement.kind = Kind::Bind;
        statement.name = tokens[1];
        statement.value = tokens[2];
        for (int slot = 0; slot < kSlots && !statement.name.empty(); ++slot)
            if (!keyNames[size_t(slot)].empty() && SameText(statement.name, keyNames[size_t(slot)].c_str())) {
                statement.slot = slot;
                break;
            }
    } else if (count == 3 && SameText(tokens[0], "setinfo")) {
        statement.kind = Kind::Variable;
        statement.name = tokens[1];
        statement.value = tokens[2];
        statement.setInfo = true;
    } else if (count == 1 && tokens[0][0] == '+' && IsPlainWord(tokens[0])) {
        statement.kind = Kind::Plus;
        statement.name = tokens[0];
    } else if (count == 2 && !tokens[0].empty() && tokens[0][0] != '+' && !SameText(tokens[0], "bind") &&
               !SameText(tokens[0], "setinfo") && !SameText(tokens[0], "unbindall")) {
        statement.kind = Kind::Variable;
        statement.name = tokens[0];
        statement.value = tokens[1];
    } else {
        statement.kind = Kind::Verbatim;
    }
    if (statement.kind == Kind::Verbatim)
        statement.name = line;
    else
        statement.comment = comment;
    // A player's own line with an empty value stays in the file.
    statement.keepEmpty = statement.kind == Kind::Variable && statement.value.empty();
    m_statements.push_back(std::move(statement));
}

std::string ConfigFile::Text() const
{
    std::string out = "unbindall\n";
    for (const Statement& statement : m_statements) {
        switch (statement.kind) {
        case Kind::Bind: {
            if (statement.name.empty() || statement.value.empty())
                break;
            std::string key = statement.name;
            if (key.size() == 1 && key[0] >= 'A' && key[0] <= 'Z')
                key[0] = char(key[0] - 'A' + 'a');
            out += "bind " + QuotedText(key) + ' ' + QuotedText(statement.value) + Comment(statement) + '\n';
            break;
        }
        case Kind::Variable:
            if (statement.value.empty() && !statement.keepEmpty)
                break;
            if (statement.setInfo)
                out += "setinfo ";
            out += statement.name + ' ' + QuotedText(statement.value) + Comment(statement) + '\n';
            break;
        case Kind::Plus:
            out += statement.name + Comment(statement) + '\n';
            break;
        case Kind::Verbatim:
            out += statement.name + '\n';
            break;
        }
    }
    return out;
}

void ConfigFile::Insert(Statement statement)
{
    // After the last statement of its kind; else after the kinds that come before it.
    const int rank = Rank(statement.kind);
    auto at = m_statements.end();
    for (auto it = m_statements.begin(); it != m_statements.end(); ++it)
        if (it->kind == statement.kind)
            at = it + 1;
    if (at == m_statements.end() && rank < 2) {
        at = m_statements.begin();
        for (auto it = m_statements.begin(); it != m_statements.end(); ++it)
            if (Rank(it->kind) <= rank)
                at = it + 1;
    }
    m_statements.insert(at, std::move(statement));
}

ConfigFile::Statement* ConfigFile::LastVariable(const std::string& name)
{
    for (auto it = m_statements.rbegin(); it != m_statements.rend(); ++it)
        if (it->kind == Kind::Variable && SameText(it->name, name.c_str()))
            return &*it;
    return nullptr;
}

std::optional<std::string> ConfigFile::Value(const std::string& name) const
{
    for (auto it = m_statements.rbegin(); it != m_statements.rend(); ++it)
        if (it->kind == Kind::Variable && SameText(it->name, name.c_str()))
            return it->value;
    return std::nullopt;
}

void ConfigFile::SetValue(const std::string& name, const std::string& value)
{
    if (Statement* existing = LastVariable(name)) {
        if (existing->value != value) {
            existing->value = value;
            existing->keepEmpty = false;
        }
        return;
    }
    Statement statement;
    statement.kind = Kind::Variable;
    statement.name = name;
    statement.value = value;
    Insert(std::move(statement));
}

void ConfigFile::SetValue(const std::string& name, const std::string& value, bool setInfo)
{
    SetValue(name, value);
    LastVariable(name)->setInfo = setInfo;
}

const ConfigFile::Statement* ConfigFile::Binding(int slot) const
{
    for (auto it = m_statements.rbegin(); it != m_statements.rend(); ++it)
        if (it->kind == Kind::Bind && it->slot == slot)
            return &*it;
    return nullptr;
}

void ConfigFile::SetBinding(int slot, const std::string& keyText, const std::string& command)
{
    if (slot < 0)
        return;
    const Statement* last = Binding(slot);
    if (!last) {
        Statement statement;
        statement.kind = Kind::Bind;
        statement.name = keyText;
        statement.value = command;
        statement.slot = slot;
        Insert(std::move(statement));
        return;
    }
    // A key bound more than once takes the last binding. While that binding stays, every
    // line of the key stays as the player wrote it. A new command goes into the last
    // line and the earlier ones go: they never took effect, and left behind they would
    // come back into force once the last line is removed by hand.
    if (last->value == command)
        return;
    std::vector<Statement> kept;
    kept.reserve(m_statements.size());
    const Statement* const keep = last;
    for (Statement& statement : m_statements) {
        if (statement.kind == Kind::Bind && statement.slot == slot && &statement != keep)
            continue;
        kept.push_back(std::move(statement));
    }
    m_statements = std::move(kept);
    for (Statement& statement : m_statements)
        if (statement.kind == Kind::Bind && statement.slot == slot)
            statement.value = command;
}

void ConfigFile::ClearBinding(int slot)
{
    if (slot < 0)
        return;
    std::erase_if(m_statements, [&](const Statement& s) { return s.kind == Kind::Bind && s.slot == slot; });
}

bool ConfigFile::HasPlus(const std::string& command) const
{
    return std::any_of(m_statements.begin(), m_statements.end(), [&](const Statement& s) {
        return s.kind == Kind::Plus && SameText(s.name, command.c_str());
    });
}

void ConfigFile::KeepOnePlus(const std::string& command)
{
    bool seen = false;
    std::erase_if(m_statements, [&](const Statement& s) {
        if (s.kind != Kind::Plus || !SameText(s.name, command.c_str()))
            return false;
        const bool duplicate = seen;
        seen = true;
        return duplicate;
    });
    if (!seen) {
        Statement statement;
        statement.kind = Kind::Plus;
        statement.name = command;
        Insert(std::move(statement));
    }
}

void ConfigFile::RemovePlus(const std::string& command)
{
    std::erase_if(m_statements,
                  [&](const Statement& s) { return s.kind == Kind::Plus && SameText(s.name, command.c_str()); });
}

#pragma once
// The tokenizer every text list of the launcher is read with: a cursor over a
// NUL-terminated text that the caller owns and keeps alive. Two modes: plain (words
// end at a space or a line end; a word that starts with ':' runs to the line end) and
// quoted (double quotes group words, CRs are dropped). With comment skipping on,
// whitespace and "//" comments are skipped wherever a token could begin.
#include <cstddef>

class CToken
{
public:
    static constexpr size_t kMaxToken = 1023; // longer tokens are cut, the cursor still passes them

    explicit CToken(const char* text);

    void SetQuoted(bool quoted) { m_quoted = quoted; }
    void SetSkipComments(bool skip) { m_skipComments = skip; }

    // Reads the next token; an empty token means the text is used up. With no text
    // (a null position) the token is left unchanged.
    const char* NextToken();
    // Reads the rest of the current line (CRs dropped, the LF left in place).
    const char* RestOfLine();

    const char* Token() const { return m_token; }
    bool Empty() const { return m_token[0] == '\0'; }
    const char* GetPosition() const { return m_position; }
    void SetPosition(const char* position) { m_position = position; }

private:
    void Clear();
    void Append(char c);
    void SkipComments();
    void ReadQuotedToken();
    void ReadQuotedString();
    void ReadPlainToken();

    char m_token[kMaxToken + 1];
    size_t m_length = 0;
    bool m_skipComments = false;
    bool m_quoted = false;
    const char* m_position;
};

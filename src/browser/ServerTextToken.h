#pragma once
// Tokenizer for the server record text form (quoted strings, `//` comments).
// It has the shape of the launcher's shared tokenizer (config/CToken.h) and stands in
// for it until that one is on this branch; only the quoted mode is implemented.
#include <string>

class ServerTextToken
{
public:
    static constexpr size_t kMaxToken = 1023;

    explicit ServerTextToken(const char* text) : m_position(text) {}

    void SetQuoted(int flag) { m_quoted = flag; }
    void SetSkipComments(int flag) { m_skipComments = flag; }
    // Reads the next token; an empty token means the text is used up (or the text
    // held an empty quoted string).
    const char* NextToken();
    const char* Token() const { return m_token.c_str(); }
    const char* GetPosition() const { return m_position; }
    void SetPosition(const char* position) { m_position = position; }

private:
    void SkipWhitespaceAndComments();
    void ReadQuotedToken();
    void ReadQuotedString();
    void Add(char c);

    std::string m_token;
    int m_skipComments = 0;
    int m_quoted = 0;
    const char* m_position = nullptr;
};

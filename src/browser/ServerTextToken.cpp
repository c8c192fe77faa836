#include "browser/ServerTextToken.h"

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
} // namespace

void ServerTextToken::Add(char c)
{
    if (m_token.size() < kMaxToken)
        m_token.push_back(c);
}

void ServerTextToken::SkipWhitespaceAndComments()
{
    for (;;) {
        while (IsBlank(*m_position))
            ++m_position;
        if (m_position[0] == '/' && m_position[1] == '/') {
            while (*m_position && *m_position != '\n')
                ++m_position;
            continue;
        }
        return;
    }
}

const char* ServerTextToken::NextToken()
{
    if (!m_position)
        return Token();
    if (m_skipComments)
        SkipWhitespaceAndComments();
    // Only the quoted mode is needed by the record reader; it is used either way.
    ReadQuotedToken();
    return Token();
}

void ServerTextToken::ReadQuotedString()
{
    // m_position is on the opening quote.
    if (m_position[1] == '"' && m_position[2] == '"') {
        Add('"');
        m_position += 3;
    } else {
        ++m_position;
        while (*m_position && *m_position != '"')
            Add(*m_position++);
        if (*m_position == '"')
            ++m_position;
    }
    while (*m_position == '\r' || *m_position == '\n' || *m_position == '\t')
        ++m_position;
}

void ServerTextToken::ReadQuotedToken()
{
    m_token.clear();
    while (IsBlank(*m_position))
        ++m_position;
    if (!*m_position)
        return;
    if (*m_position == '"') {
        ReadQuotedString();
        return;
    }
    while (*m_position && *m_position != ' ' && *m_position != '\t' && *m_position != '\n') {
        if (*m_position == '"') {
            ReadQuotedString();
            return;
        }
        if (*m_position != '\r')
            Add(*m_position);
        ++m_position;
    }
}

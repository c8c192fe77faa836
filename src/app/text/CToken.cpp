#include "app/text/CToken.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

CToken::CToken(const char* text) : m_position(text)
{
    m_token[0] = '\0';
}

void CToken::Clear()
{
    m_length = 0;
    m_token[0] = '\0';
}

void CToken::Append(char c)
{
    if (m_length >= kMaxToken)
        return;
    m_token[m_length++] = c;
    m_token[m_length] = '\0';
}

void CToken::SkipComments()
{
    for (;;) {
        while (IsBlank(*m_position))
            ++m_position;
        if (m_position[0] != '/' || m_position[1] != '/')
            return;
        while (*m_position && *m_position != '\n')
            ++m_position;
    }
}

const char* CToken::NextToken()
{
    if (!m_position)
        return m_token;
    if (m_skipComments)
        SkipComments();
    if (m_quoted)
        ReadQuotedToken();
    else
        ReadPlainToken();
    return m_token;
}

void CToken::ReadQuotedString()
{
    // The position stands on the opening quote.
    ++m_position;
    if (m_position[0] == '"' && m_position[1] == '"') {
        // Three quotes in a row stand for one quote character.
        Append('"');
        m_position += 2;
    } else {
        while (*m_position && *m_position != '"')
            Append(*m_position++);
        if (*m_position == '"')
            ++m_position;
    }
    while (*m_position == '\r' || *m_position == '\n' || *m_position == '\t')
        ++m_position;
}

void CToken::ReadQuotedToken()
{
    Clear();
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
            Append(*m_position);
        ++m_position;
    }
}

void CToken::ReadPlainToken()
{
    Clear();
    while (*m_position == ' ')
        ++m_position;
    if (!*m_position)
        return;
    if (*m_position == '\r')
        ++m_position;
    if (*m_position == '\n')
        ++m_position;
    const bool wholeLine = *m_position == ':';
    while (*m_position && *m_position != '\n' && (wholeLine || *m_position != ' ')) {
        if (*m_position != '\r')
            Append(*m_position);
        ++m_position;
    }
}

const char* CToken::RestOfLine()
{
    if (!m_position)
        return m_token;
    Clear();
    while (*m_position == ' ')
        ++m_position;
    if (*m_position == '\r')
        return m_token; // an empty line: nothing is consumed
    while (*m_position && *m_position != '\n') {
        if (*m_position != '\r')
            Append(*m_position);
        ++m_position;
    }
    return m_token;
}

#pragma once
// Line writer for the server record text form: tab indentation, quoted key/value
// pairs, CR LF line ends. Double quotes are dropped from every written text, since
// the format has no escape and one stray quote would shift every following token.
#include <cstdint>
#include <string>
#include <string_view>

class RecordTextWriter
{
public:
    explicit RecordTextWriter(std::string& out) : m_out(out) {}

    void Line(int indent, std::string_view text);
    // An unquoted word and a number of at least two digits ("players 64").
    void Word(int indent, std::string_view word, int number);
    void Field(int indent, std::string_view key, std::string_view value);
    void Field(int indent, std::string_view key, int32_t value);
    // Fixed-point with six decimals.
    void Real(int indent, std::string_view key, double value);

private:
    void Indent(int indent);
    void Quoted(std::string_view text);

    std::string& m_out;
};

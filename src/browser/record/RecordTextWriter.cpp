#include "browser/record/RecordTextWriter.h"

#include "platform/NumberText.h"

void RecordTextWriter::Indent(int indent)
{
    m_out.append(size_t(indent > 0 ? indent : 0), '\t');
}

void RecordTextWriter::Quoted(std::string_view text)
{
    m_out.push_back('"');
    for (size_t quote = text.find('"'); quote != std::string_view::npos; quote = text.find('"')) {
        m_out.append(text.substr(0, quote));
        text.remove_prefix(quote + 1);
    }
    m_out.append(text);
    m_out.push_back('"');
}

void RecordTextWriter::Line(int indent, std::string_view text)
{
    Indent(indent);
    m_out.append(text);
    m_out.append("\r\n");
}

void RecordTextWriter::Word(int indent, std::string_view word, int number)
{
    Indent(indent);
    m_out.append(word);
    m_out.push_back(' ');
    m_out.append(FormatInt(number, 2));
    m_out.append("\r\n");
}

void RecordTextWriter::Field(int indent, std::string_view key, std::string_view value)
{
    Indent(indent);
    Quoted(key);
    m_out.push_back(' ');
    Quoted(value);
    m_out.append("\r\n");
}

void RecordTextWriter::Field(int indent, std::string_view key, int32_t value)
{
    Field(indent, key, FormatInt(value));
}

void RecordTextWriter::Real(int indent, std::string_view key, double value)
{
    Field(indent, key, FormatFixed(value, 6));
}

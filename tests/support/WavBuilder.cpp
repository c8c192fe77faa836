#include "support/WavBuilder.h"

namespace {

void Append(std::vector<uint8_t>& v, const std::string& text)
{
    v.insert(v.end(), text.begin(), text.end());
}

void U16(std::vector<uint8_t>& v, uint16_t x)
{
    v.push_back(uint8_t(x));
    v.push_back(uint8_t(x >> 8));
}

void U32(std::vector<uint8_t>& v, uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v.push_back(uint8_t(x >> (8 * i)));
}

} // namespace

WavBuilder& WavBuilder::Chunk(const std::string& id, const std::vector<uint8_t>& data)
{
    Append(m_body, id);
    U32(m_body, uint32_t(data.size()));
    m_body.insert(m_body.end(), data.begin(), data.end());
    if (data.size() & 1)
        m_body.push_back(0);
    return *this;
}

WavBuilder& WavBuilder::Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits)
{
    std::vector<uint8_t> f;
    U16(f, tag);
    U16(f, channels);
    U32(f, rate);
    U32(f, rate * channels * bits / 8);
    U16(f, uint16_t(channels * bits / 8));
    U16(f, bits);
    return Chunk("fmt ", f);
}

WavBuilder& WavBuilder::Cue(uint32_t sampleOffset)
{
    std::vector<uint8_t> c;
    U32(c, 1); // one cue point
    for (int i = 0; i < 5; ++i)
        U32(c, 0);        // name, position, chunk, chunk start, block start
    U32(c, sampleOffset); // at 24
    return Chunk("cue ", c);
}

WavBuilder& WavBuilder::Mark(uint32_t length, const char* purpose)
{
    std::vector<uint8_t> l;
    Append(l, "adtl");
    Append(l, "ltxt");
    U32(l, 20);
    U32(l, 1);          // cue point name
    U32(l, length);     // at 16
    Append(l, purpose); // at 20
    for (int i = 0; i < 8; ++i)
        l.push_back(0);
    return Chunk("LIST", l);
}

WavBuilder& WavBuilder::Data(size_t bytes)
{
    return Chunk("data", std::vector<uint8_t>(bytes, 0x80));
}

std::vector<uint8_t> WavBuilder::File(const char* form) const
{
    std::vector<uint8_t> file;
    Append(file, "RIFF");
    U32(file, uint32_t(m_body.size() + 4));
    Append(file, form);
    file.insert(file.end(), m_body.begin(), m_body.end());
    return file;
}

QByteArray PcmWave(uint16_t tag, uint32_t rate, int samples)
{
    const std::vector<uint8_t> file = WavBuilder().Format(tag, 1, rate, 16).Data(size_t(samples) * 2).File();
    return QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size()));
}

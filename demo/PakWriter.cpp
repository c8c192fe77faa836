#include "demo/PakWriter.h"

#include <QtEndian>

namespace {

void AppendLittle32(QByteArray& out, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    out.append(raw, 4);
}

} // namespace

bool PakWriter::Add(const QString& name, const QByteArray& data)
{
    const QByteArray encoded = name.toLatin1();
    if (encoded.isEmpty() || encoded.size() >= kNameSize || encoded.contains('\\') || encoded.contains('\0'))
        return false;
    if (int(m_files.size()) >= kMaxEntries)
        return false;
    for (const File& file : m_files)
        if (file.name.compare(encoded, Qt::CaseInsensitive) == 0)
            return false;
    m_files.push_back({encoded, data});
    return true;
}

QByteArray PakWriter::Build() const
{
    QByteArray out("PACK");
    AppendLittle32(out, 0); // directory offset and length, filled in below
    AppendLittle32(out, 0);

    std::vector<quint32> positions;
    for (const File& file : m_files) {
        // Four-byte alignment keeps the map headers' words aligned inside the archive.
        while (out.size() % 4 != 0)
            out.append('\0');
        positions.push_back(quint32(out.size()));
        out += file.data;
    }
    while (out.size() % 4 != 0)
        out.append('\0');

    const quint32 directoryOffset = quint32(out.size());
    for (size_t i = 0; i < m_files.size(); ++i) {
        QByteArray name = m_files[i].name;
        name.append(QByteArray(kNameSize - name.size(), '\0'));
        out += name;
        AppendLittle32(out, positions[i]);
        AppendLittle32(out, quint32(m_files[i].data.size()));
    }
    qToLittleEndian(directoryOffset, out.data() + 4);
    qToLittleEndian(quint32(m_files.size() * kEntrySize), out.data() + 8);
    return out;
}

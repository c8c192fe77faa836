#include "demo/MapWriter.h"

#include <QtEndian>

namespace {

void AppendLittle32(QByteArray& out, quint32 value)
{
    char raw[4];
    qToLittleEndian(value, raw);
    out.append(raw, 4);
}

QByteArray Vector(const QVector3D& v)
{
    return QByteArray::number(qRound(v.x())) + ' ' + QByteArray::number(qRound(v.y())) + ' ' +
           QByteArray::number(qRound(v.z()));
}

QByteArray Pair(const char* key, const QByteArray& value)
{
    return QByteArray("\"") + key + "\" \"" + value + "\"\n";
}

} // namespace

QByteArray MapWriter::EntityText(const DemoMap& map)
{
    QByteArray text = "{\n";
    text += Pair("classname", "worldspawn");
    text += Pair("message", map.title.toUtf8());
    text += Pair("skyname", map.sky.toUtf8());
    text += Pair("mapversion", "220");
    text += "}\n";
    for (const DemoMapEntity& entity : map.entities) {
        text += "{\n";
        text += Pair("classname", entity.className.toUtf8());
        text += Pair("origin", Vector(entity.origin));
        if (entity.angle != 0)
            text += Pair("angle", QByteArray::number(entity.angle));
        text += "}\n";
    }
    return text;
}

QByteArray MapWriter::Build(const DemoMap& map)
{
    QByteArray entities = EntityText(map);
    entities.append('\0'); // the engine reads the entity lump as a C string
    while (entities.size() % 4 != 0)
        entities.append('\0');

    QByteArray out;
    AppendLittle32(out, kVersion);
    AppendLittle32(out, kHeaderSize);
    AppendLittle32(out, quint32(entities.size()));
    const quint32 end = quint32(kHeaderSize + entities.size());
    for (int lump = 1; lump < kLumpCount; ++lump) {
        AppendLittle32(out, end);
        AppendLittle32(out, 0);
    }
    out += entities;
    return out;
}

#include "demo/AviWriter.h"

#include <QBuffer>

namespace {

void Fourcc(QByteArray& out, const char* id)
{
    out.append(id, 4);
}

void U16(QByteArray& out, quint16 value)
{
    out.append(char(value & 0xFF)).append(char(value >> 8));
}

void U32(QByteArray& out, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

QByteArray Chunk(const char* id, const QByteArray& data)
{
    QByteArray out;
    Fourcc(out, id);
    U32(out, quint32(data.size()));
    out.append(data);
    if (data.size() & 1)
        out.append('\0');
    return out;
}

QByteArray List(const char* type, const QByteArray& data)
{
    QByteArray body;
    Fourcc(body, type);
    body.append(data);
    return Chunk("LIST", body);
}

constexpr quint32 kHasIndex = 0x10;
constexpr quint32 kKeyFrame = 0x10;

} // namespace

QByteArray AviWriter::Write(const std::vector<QImage>& frames, int framesPerSecond, int jpegQuality)
{
    if (frames.empty() || framesPerSecond <= 0)
        return {};
    const QSize size = frames.front().size();
    std::vector<QByteArray> jpegs;
    quint32 largest = 0;
    for (const QImage& frame : frames) {
        if (frame.size() != size)
            return {};
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        if (!frame.convertToFormat(QImage::Format_RGB888).save(&buffer, "JPEG", jpegQuality))
            return {};
        largest = std::max(largest, quint32(jpeg.size()));
        jpegs.push_back(jpeg);
    }
    const quint32 count = quint32(jpegs.size());
    const quint32 width = quint32(size.width());
    const quint32 height = quint32(size.height());

    QByteArray avih;
    U32(avih, quint32(1000000 / framesPerSecond));
    U32(avih, largest * quint32(framesPerSecond));
    U32(avih, 0);
    U32(avih, kHasIndex);
    U32(avih, count);
    U32(avih, 0);
    U32(avih, 1); // streams
    U32(avih, largest);
    U32(avih, width);
    U32(avih, height);
    for (int i = 0; i < 4; ++i)
        U32(avih, 0);

    QByteArray strh;
    Fourcc(strh, "vids");
    Fourcc(strh, "MJPG");
    U32(strh, 0); // flags
    U16(strh, 0); // priority
    U16(strh, 0); // language
    U32(strh, 0); // initial frames
    U32(strh, 1); // scale
    U32(strh, quint32(framesPerSecond));
    U32(strh, 0); // start
    U32(strh, count);
    U32(strh, largest);
    U32(strh, 0xFFFFFFFF); // quality: default
    U32(strh, 0);          // sample size: varies
    U16(strh, 0);
    U16(strh, 0);
    U16(strh, quint16(width));
    U16(strh, quint16(height));

    QByteArray strf;
    U32(strf, 40);
    U32(strf, width);
    U32(strf, height);
    U16(strf, 1);
    U16(strf, 24);
    Fourcc(strf, "MJPG");
    U32(strf, width * height * 3);
    for (int i = 0; i < 4; ++i)
        U32(strf, 0);

    const QByteArray header =
        List("hdrl", Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf)));

    QByteArray movi;
    QByteArray index;
    for (const QByteArray& jpeg : jpegs) {
        // Offsets count from the "movi" type word.
        Fourcc(index, "00dc");
        U32(index, kKeyFrame);
        U32(index, quint32(4 + movi.size()));
        U32(index, quint32(jpeg.size()));
        movi.append(Chunk("00dc", jpeg));
    }

    QByteArray body;
    Fourcc(body, "AVI ");
    body.append(header);
    body.append(List("movi", movi));
    body.append(Chunk("idx1", index));
    return Chunk("RIFF", body);
}

#include "support/AviBuilder.h"

#include <QBuffer>
#include <QImage>

namespace AviBuilder {

QByteArray U32(uint32_t value)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
    return out;
}

QByteArray Chunk(const char* id, const QByteArray& data)
{
    QByteArray out(id, 4);
    out += U32(uint32_t(data.size())) + data;
    if (data.size() & 1)
        out.append('\0');
    return out;
}

QByteArray List(const char* type, const QByteArray& chunks)
{
    return Chunk("LIST", QByteArray(type, 4) + chunks);
}

QByteArray MainHeader(uint32_t microsecondsPerFrame, uint32_t frames, uint32_t width, uint32_t height)
{
    QByteArray avih = U32(microsecondsPerFrame) + U32(0) + U32(0) + U32(0x10) + U32(frames) + U32(0) + U32(1) +
                      U32(0) + U32(width) + U32(height);
    avih += QByteArray(16, '\0');
    return Chunk("avih", avih);
}

QByteArray Riff(const QByteArray& chunks)
{
    const QByteArray body = QByteArray("AVI ") + chunks;
    return QByteArray("RIFF") + U32(uint32_t(body.size())) + body;
}

QByteArray Jpeg(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 95);
    return bytes;
}

QByteArray MotionJpeg(QSize size, const std::vector<QColor>& colours, uint32_t microsecondsPerFrame)
{
    QByteArray movi;
    for (const QColor& colour : colours)
        movi += Chunk("00dc", Jpeg(size, colour));
    const QByteArray header =
        List("hdrl", MainHeader(microsecondsPerFrame, uint32_t(colours.size()), uint32_t(size.width()),
                                uint32_t(size.height())));
    return Riff(header + List("movi", movi));
}

} // namespace AviBuilder

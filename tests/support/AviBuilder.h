#pragma once
// Builds small RIFF "AVI " files for tests: chunks and lists by hand, or a whole
// motion-JPEG file from pictures.
#include <QByteArray>
#include <QColor>
#include <QSize>

#include <cstdint>
#include <vector>

namespace AviBuilder {

QByteArray U32(uint32_t value);
// An identifier, the length and the data, padded to an even length.
QByteArray Chunk(const char* id, const QByteArray& data);
QByteArray List(const char* type, const QByteArray& chunks);
// "avih" with the frame time, frame count and size filled in.
QByteArray MainHeader(uint32_t microsecondsPerFrame, uint32_t frames, uint32_t width, uint32_t height);
// "RIFF" of type "AVI " around the chunks.
QByteArray Riff(const QByteArray& chunks);
// A JPEG picture of one colour.
QByteArray Jpeg(QSize size, QColor colour);
// A file whose frames are one-colour JPEG pictures.
QByteArray MotionJpeg(QSize size, const std::vector<QColor>& colours, uint32_t microsecondsPerFrame);

} // namespace AviBuilder

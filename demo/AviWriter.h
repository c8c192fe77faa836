#pragma once
// A minimal AVI file of motion-JPEG frames (one video stream, an index, no sound):
// enough for the launcher's intro videos, and encoded with nothing but Qt's JPEG
// writer.
#include <QByteArray>
#include <QImage>
#include <vector>

class AviWriter
{
public:
    static constexpr int kJpegQuality = 80;

    // All frames must have the same size. An empty result when a frame cannot be
    // encoded or there are none.
    static QByteArray Write(const std::vector<QImage>& frames, int framesPerSecond, int jpegQuality = kJpegQuality);
};

#include "DemoTreeFixture.h"
#include "demo/AviWriter.h"
#include "demo/IntroVideoPainter.h"

#include <QBuffer>
#include <QImageReader>

namespace {

uint32_t U32At(const QByteArray& bytes, qsizetype at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | uint8_t(bytes[at + i]);
    return value;
}

// The chunk with the identifier among the chunks of [begin, end), or -1.
qsizetype FindChunk(const QByteArray& bytes, qsizetype begin, qsizetype end, const char* id)
{
    qsizetype pos = begin;
    while (pos + 8 <= end) {
        if (bytes.mid(pos, 4) == id)
            return pos;
        const uint32_t length = U32At(bytes, pos + 4);
        pos += 8 + length + (length & 1);
    }
    return -1;
}

using DemoIntroVideoTest = DemoTreeTest;

TEST_F(DemoIntroVideoTest, BothIntroVideosAreMotionJpegAvisWithAnIndex)
{
    for (const char* name : {"zorvan", "harrow"}) {
        SCOPED_TRACE(name);
        const QByteArray avi = Read(QStringLiteral("vrel/media/%1.avi").arg(name));
        ASSERT_GT(avi.size(), 12);
        EXPECT_EQ(avi.left(4), "RIFF");
        EXPECT_EQ(avi.mid(8, 4), "AVI ");
        EXPECT_EQ(U32At(avi, 4), uint32_t(avi.size() - 8));
        const qsizetype idx = FindChunk(avi, 12, avi.size(), "idx1");
        ASSERT_GE(idx, 0);
        EXPECT_EQ(U32At(avi, idx + 4), uint32_t(16 * IntroVideoPainter::kFrames));
    }
}

TEST(AviWriter, FramesAreJpegsThatTheIndexPointsAt)
{
    std::vector<QImage> frames;
    for (int i = 0; i < 3; ++i) {
        QImage image(32, 24, QImage::Format_RGB32);
        image.fill(QColor(i * 80, 40, 200));
        frames.push_back(image);
    }
    const QByteArray avi = AviWriter::Write(frames, 10);
    const qsizetype movi = avi.indexOf("movi");
    const qsizetype idx = FindChunk(avi, 12, avi.size(), "idx1");
    ASSERT_GT(movi, 0);
    ASSERT_GT(idx, 0);
    for (int i = 0; i < 3; ++i) {
        const qsizetype entry = idx + 8 + 16 * i;
        EXPECT_EQ(avi.mid(entry, 4), "00dc");
        const qsizetype chunk = movi + qsizetype(U32At(avi, entry + 8));
        EXPECT_EQ(avi.mid(chunk, 4), "00dc");
        const QByteArray jpeg = avi.mid(chunk + 8, qsizetype(U32At(avi, entry + 12)));
        QImage decoded;
        ASSERT_TRUE(decoded.loadFromData(jpeg, "JPEG"));
        EXPECT_EQ(decoded.size(), QSize(32, 24));
        EXPECT_NEAR(QColor(decoded.pixel(16, 12)).red(), i * 80, 12);
    }
    EXPECT_TRUE(AviWriter::Write({}, 10).isEmpty());
    frames.push_back(QImage(8, 8, QImage::Format_RGB32));
    EXPECT_TRUE(AviWriter::Write(frames, 10).isEmpty()); // sizes differ
}

} // namespace

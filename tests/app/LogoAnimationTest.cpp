#include "app/menu/LogoAnimation.h"
#include "support/AviBuilder.h"
#include "support/TempTree.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

class LogoAnimationTest : public ::testing::Test
{
protected:
    // Three frames, red, green and blue, at the given frame time.
    std::string WriteLogo(uint32_t microsecondsPerFrame = 40000)
    {
        tree.Write("logo.avi", AviBuilder::MotionJpeg(QSize(64, 10), {Qt::red, Qt::green, Qt::blue},
                                                      microsecondsPerFrame));
        return tree.Abs("logo.avi").toStdString();
    }

    static QColor Centre(const LogoAnimation& logo)
    {
        const QImage& frame = logo.Frame();
        return frame.pixelColor(frame.width() / 2, frame.height() / 2);
    }

    static void Pump(int ms)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }

    TempTree tree;
    LogoAnimation logo;
};

TEST(LogoFlying, NoFlyOrASlowProcessorStopItAndFlyBringsItBack)
{
    EXPECT_TRUE(LogoAnimation::Flies(false, false, 195));
    EXPECT_FALSE(LogoAnimation::Flies(false, false, 194));
    EXPECT_FALSE(LogoAnimation::Flies(false, true, 800));
    EXPECT_TRUE(LogoAnimation::Flies(true, true, 100));
    EXPECT_TRUE(LogoAnimation::Flies(true, false, 0));
}

TEST(LogoStrip, SeventyToOneHundredSeventyAcrossTheWidth)
{
    EXPECT_EQ(LogoAnimation::Strip(800), QRect(0, 70, 800, 100));
}

TEST_F(LogoAnimationTest, StartsOnTheFirstFrameAndWrapsAround)
{
    ASSERT_TRUE(logo.Load(WriteLogo()));
    EXPECT_EQ(logo.FrameCount(), 3);
    EXPECT_TRUE(logo.Frame().isNull());
    logo.SetFlying(false);
    logo.Start();
    EXPECT_TRUE(logo.Running());
    EXPECT_GT(Centre(logo).red(), 200);
    logo.Advance();
    EXPECT_GT(Centre(logo).green(), 200);
    logo.Advance();
    logo.Advance();
    EXPECT_EQ(logo.FrameNumber(), 0);
    EXPECT_GT(Centre(logo).red(), 200);
}

TEST_F(LogoAnimationTest, FlyingLoopsAtTheFilesFrameRate)
{
    ASSERT_TRUE(logo.Load(WriteLogo(40000)));
    EXPECT_EQ(logo.FrameIntervalMs(), 40);
    int changes = 0;
    QObject::connect(&logo, &LogoAnimation::FrameChanged, [&changes] { ++changes; });
    logo.Start();
    Pump(300);
    // About seven frames in 300 ms, and never faster than the frame time; four
    // (the first frame and three more) make one full loop.
    EXPECT_GE(changes, 4);
    EXPECT_LE(changes, 9);
    logo.Stop();
    const int stopped = changes;
    Pump(120);
    EXPECT_EQ(changes, stopped);
    EXPECT_FALSE(logo.Running());
}

TEST_F(LogoAnimationTest, WithoutFlyingTheFirstFrameStaysOnShow)
{
    ASSERT_TRUE(logo.Load(WriteLogo(20000)));
    logo.SetFlying(false);
    logo.Start();
    Pump(100);
    EXPECT_EQ(logo.FrameNumber(), 0);
    EXPECT_FALSE(logo.Frame().isNull());
}

TEST_F(LogoAnimationTest, FrameTimeIsKeptWithinBounds)
{
    ASSERT_TRUE(logo.Load(WriteLogo(0)));
    EXPECT_EQ(logo.FrameIntervalMs(), LogoAnimation::kDefaultFrameMs);
    ASSERT_TRUE(logo.Load(WriteLogo(1000)));
    EXPECT_EQ(logo.FrameIntervalMs(), LogoAnimation::kMinFrameMs);
    ASSERT_TRUE(logo.Load(WriteLogo(60000000)));
    EXPECT_EQ(logo.FrameIntervalMs(), LogoAnimation::kMaxFrameMs);
}

TEST_F(LogoAnimationTest, MissingOrUnreadableFileGivesNoLogo)
{
    EXPECT_FALSE(logo.Load(""));
    EXPECT_FALSE(logo.Load(tree.Abs("nothing.avi").toStdString()));
    tree.Write("text.avi", "not a video at all");
    EXPECT_FALSE(logo.Load(tree.Abs("text.avi").toStdString()));
    logo.Start();
    EXPECT_FALSE(logo.Running());
    EXPECT_TRUE(logo.Frame().isNull());
}

TEST_F(LogoAnimationTest, UndecodableFrameKeepsTheLastGoodOne)
{
    using namespace AviBuilder;
    const QByteArray movi = Chunk("00dc", Jpeg(QSize(8, 8), Qt::blue)) + Chunk("00dc", "broken");
    tree.Write("logo.avi", Riff(List("movi", movi)));
    ASSERT_TRUE(logo.Load(tree.Abs("logo.avi").toStdString()));
    logo.SetFlying(false);
    logo.Start();
    logo.Advance();
    EXPECT_EQ(logo.FrameNumber(), 1);
    EXPECT_GT(Centre(logo).blue(), 200);
}

} // namespace

#pragma once
// The main menu's logo animation: the frames of "media/logo.avi" shown in a strip
// across the menu, looping. Without its flying animation the logo stands still on its
// first frame. Frames are decoded one at a time as they come up.
#include "app/menu/AviFrameIndex.h"

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QTimer>

#include <string>

class LogoAnimation : public QObject
{
    Q_OBJECT
public:
    static constexpr int kStripTop = 70;
    static constexpr int kStripBottom = 170;
    static constexpr int kMinFlyingMhz = 195;
    static constexpr int kDefaultFrameMs = 83; // 12 frames a second
    static constexpr int kMinFrameMs = 20;
    static constexpr int kMaxFrameMs = 2000;
    static constexpr qint64 kMaxFileBytes = 32 * 1024 * 1024;
    static constexpr const char* kFileName = "media/logo.avi";

    // "-nofly" or a processor slower than 195 MHz stops the flying; "-fly" brings it back.
    static bool Flies(bool flyOption, bool noFlyOption, int cpuMhz);
    // The same from the command line and the launcher's processor speed.
    static bool Flies();
    // The strip of a menu of this width.
    static QRect Strip(int menuWidth) { return QRect(0, kStripTop, menuWidth, kStripBottom - kStripTop); }

    explicit LogoAnimation(QObject* parent = nullptr);

    // Reads the file; false (and no logo) when it is missing or holds no frame.
    bool Load(const std::string& path);
    bool Loaded() const { return !m_index.frames.empty(); }
    void SetFlying(bool flying) { m_flying = flying; }
    bool Flying() const { return m_flying; }

    // Shows the first frame and, when flying, runs the loop from there.
    void Start();
    void Stop();
    bool Running() const { return m_running; }

    int FrameCount() const { return int(m_index.frames.size()); }
    int FrameNumber() const { return m_frame; }
    int FrameIntervalMs() const;
    // The frame on show; a null image before Start or without a logo.
    const QImage& Frame() const { return m_image; }
    // Moves to the next frame (the timer calls it); wraps at the end.
    void Advance();

signals:
    void FrameChanged();

private:
    void Show(int frame);

    QByteArray m_bytes;
    AviFrameIndex m_index;
    QImage m_image;
    QTimer m_timer;
    int m_frame = 0;
    bool m_flying = true;
    bool m_running = false;
};

#include "app/menu/LogoAnimation.h"

#include "app/settings/CommandLine.h"
#include "app/settings/LauncherState.h"

#include <QFile>

#include <algorithm>

bool LogoAnimation::Flies(bool flyOption, bool noFlyOption, int cpuMhz)
{
    if (flyOption)
        return true;
    return !noFlyOption && cpuMhz >= kMinFlyingMhz;
}

bool LogoAnimation::Flies()
{
    return Flies(FindOption("-fly"), FindOption("-nofly"), Launcher().cpuMhz);
}

LogoAnimation::LogoAnimation(QObject* parent) : QObject(parent)
{
    connect(&m_timer, &QTimer::timeout, this, &LogoAnimation::Advance);
}

bool LogoAnimation::Load(const std::string& path)
{
    Stop();
    m_bytes.clear();
    m_index = {};
    m_image = QImage();
    QFile file(QString::fromStdString(path));
    if (path.empty() || !file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes)
        return false;
    m_bytes = file.readAll();
    if (!ParseAviFrames(reinterpret_cast<const uint8_t*>(m_bytes.constData()), size_t(m_bytes.size()), m_index)) {
        m_bytes.clear();
        return false;
    }
    return true;
}

int LogoAnimation::FrameIntervalMs() const
{
    if (m_index.microsecondsPerFrame == 0)
        return kDefaultFrameMs;
    return std::clamp(int(m_index.microsecondsPerFrame / 1000), kMinFrameMs, kMaxFrameMs);
}

void LogoAnimation::Start()
{
    if (!Loaded())
        return;
    m_running = true;
    Show(0);
    if (m_flying && FrameCount() > 1)
        m_timer.start(FrameIntervalMs());
}

void LogoAnimation::Stop()
{
    m_timer.stop();
    m_running = false;
}

void LogoAnimation::Advance()
{
    if (Loaded())
        Show((m_frame + 1) % FrameCount());
}

void LogoAnimation::Show(int frame)
{
    m_frame = frame;
    const AviFrame& chunk = m_index.frames[size_t(frame)];
    QImage image;
    // A frame that does not decode keeps the last good one on show.
    if (image.loadFromData(reinterpret_cast<const uchar*>(m_bytes.constData()) + chunk.offset, int(chunk.size)))
        m_image = image;
    emit FrameChanged();
}

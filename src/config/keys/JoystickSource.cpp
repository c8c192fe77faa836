#include "config/keys/JoystickSource.h"

#include <QDir>

#include <linux/joystick.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kMaxEventsPerPoll = 256;
constexpr int kHatThreshold = 16384;
constexpr int kFirstAuxButton = 5;
constexpr int kFirstHatKey = 29;

class NoJoystick : public JoystickSource
{
public:
    bool Present() const override { return false; }
    void Poll() override {}
    const JoystickState& State() const override { return m_state; }

private:
    JoystickState m_state;
};

// The direction a hat angle falls into: 0 up, 1 right, 2 down, 3 left; -1 centred.
int HatDirection(int angle)
{
    return angle < 0 ? -1 : ((angle + 4500) / 9000) % 4;
}

} // namespace

LinuxJoystickSource::LinuxJoystickSource(int descriptor, int hatAxis) : m_descriptor(descriptor), m_hatAxis(hatAxis)
{
    if (m_descriptor >= 0)
        ::fcntl(m_descriptor, F_SETFL, ::fcntl(m_descriptor, F_GETFL) | O_NONBLOCK);
}

LinuxJoystickSource::~LinuxJoystickSource()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

std::unique_ptr<JoystickSource> LinuxJoystickSource::OpenFirst(const std::string& folder)
{
    const QDir dir(QString::fromStdString(folder));
    for (const QString& name : dir.entryList({QStringLiteral("js*")}, QDir::System | QDir::Files, QDir::Name)) {
        const int descriptor = ::open(dir.filePath(name).toLocal8Bit().constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (descriptor >= 0)
            return std::make_unique<LinuxJoystickSource>(descriptor);
    }
    return std::make_unique<NoJoystick>();
}

void LinuxJoystickSource::Poll()
{
    if (m_descriptor < 0)
        return;
    static_assert(sizeof(js_event) == kEventSize);
    for (int i = 0; i < kMaxEventsPerPoll; ++i) {
        const ssize_t got = ::read(m_descriptor, m_pending.data() + m_pendingSize, kEventSize - m_pendingSize);
        if (got <= 0)
            return; // nothing waiting (EAGAIN) or the end
        // An event read in part is completed by the next reads.
        m_pendingSize += size_t(got);
        if (m_pendingSize < kEventSize)
            continue;
        m_pendingSize = 0;
        js_event event{};
        std::memcpy(&event, m_pending.data(), sizeof event);
        const int type = event.type & ~JS_EVENT_INIT;
        if (type == JS_EVENT_BUTTON && event.number < JoystickState::kMaxButtons) {
            m_state.buttons[event.number] = event.value != 0;
        } else if (type == JS_EVENT_AXIS && (event.number == m_hatAxis || event.number == m_hatAxis + 1)) {
            (event.number == m_hatAxis ? m_hatX : m_hatY) = event.value;
            UpdateHat();
        }
    }
}

void LinuxJoystickSource::UpdateHat()
{
    if (m_hatY <= -kHatThreshold)
        m_state.hat = 0;
    else if (m_hatX >= kHatThreshold)
        m_state.hat = 9000;
    else if (m_hatY >= kHatThreshold)
        m_state.hat = 18000;
    else if (m_hatX <= -kHatThreshold)
        m_state.hat = 27000;
    else
        m_state.hat = JoystickState::kHatCentred;
}

std::string JoystickKeyName(const JoystickState& before, const JoystickState& now, bool hatEnabled)
{
    for (int i = 0; i < JoystickState::kMaxButtons; ++i) {
        if (before.buttons[size_t(i)] == now.buttons[size_t(i)])
            continue;
        const int button = i + 1;
        return (button < kFirstAuxButton ? "JOY" : "AUX") + std::to_string(button);
    }
    if (!hatEnabled)
        return {};
    const int was = HatDirection(before.hat);
    const int is = HatDirection(now.hat);
    if (was == is)
        return {};
    // The direction that changed: the new one, or the one let go.
    return "AUX" + std::to_string(kFirstHatKey + (is >= 0 ? is : was));
}

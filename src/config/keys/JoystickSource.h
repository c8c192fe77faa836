#pragma once
// A joystick's buttons and hat, read without waiting. The Linux source reads the
// joystick interface (/dev/input/js*); tests give it the reading end of a pipe.
#include <array>
#include <memory>
#include <string>

struct JoystickState
{
    static constexpr int kMaxButtons = 32;
    static constexpr int kHatCentred = -1;

    std::array<bool, kMaxButtons> buttons{};
    int hat = kHatCentred; // hundredths of a degree: 0 up, 9000 right, 18000 down, 27000 left
};

class JoystickSource
{
public:
    virtual ~JoystickSource() = default;
    // False when no joystick is there.
    virtual bool Present() const = 0;
    // Takes the events that arrived since the last call into the state.
    virtual void Poll() = 0;
    virtual const JoystickState& State() const = 0;
};

// Reads joystick events (struct js_event) from a descriptor it owns; the hat is the
// pair of axes hatAxis and hatAxis + 1 (horizontal, vertical).
class LinuxJoystickSource : public JoystickSource
{
public:
    static constexpr int kDefaultHatAxis = 6;

    explicit LinuxJoystickSource(int descriptor, int hatAxis = kDefaultHatAxis);
    ~LinuxJoystickSource() override;
    LinuxJoystickSource(const LinuxJoystickSource&) = delete;
    LinuxJoystickSource& operator=(const LinuxJoystickSource&) = delete;

    // The first joystick device that opens, or a source without a joystick.
    static std::unique_ptr<JoystickSource> OpenFirst(const std::string& folder = "/dev/input");

    bool Present() const override { return m_descriptor >= 0; }
    void Poll() override;
    const JoystickState& State() const override { return m_state; }

private:
    void UpdateHat();

    static constexpr size_t kEventSize = 8; // struct js_event

    int m_descriptor;
    std::array<char, kEventSize> m_pending{}; // the start of an event read in part
    size_t m_pendingSize = 0;
    int m_hatAxis;
    int m_hatX = 0;
    int m_hatY = 0;
    JoystickState m_state;
};

// The key name of the first change between two states: "JOY1"-"JOY4" for buttons 1-4,
// "AUX5" and up for the others, then, when the hat is enabled, "AUX29"-"AUX32" for
// the hat's up, right, down and left. Empty when nothing changed.
std::string JoystickKeyName(const JoystickState& before, const JoystickState& now, bool hatEnabled);

#pragma once
// The display layer behind the launcher's video modes. It reports the modes the screen
// offers and keeps the mode the launcher last asked for, but never changes the
// desktop's resolution: a mode switch only tells the window owner the size to use.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct DisplayMode
{
    int width = 0;
    int height = 0;
    int depth = 0;       // bits per pixel
    int refreshRate = 0; // Hz, 0 when unknown
    bool is555 = false;  // 15-bit colour (green mask 0x3E0)
};

class DisplayLayer
{
public:
    // Result codes of Acquire, in the vocabulary of DirectDrawErrorName.
    static constexpr uint32_t kOk = 0;

    virtual ~DisplayLayer() = default;

    // Opens the display for mode queries; kOk or an error code.
    virtual uint32_t Acquire(bool exclusive) = 0;
    virtual void Release() = 0;
    virtual bool Acquired() const = 0;
    // The modes the display offers (only meaningful while acquired).
    virtual std::vector<DisplayMode> Modes() = 0;

    // Records a mode switch and hands the size to the window placer. Refused (false,
    // nothing changes) when the mode is not usable.
    bool SetMode(int width, int height, int depth);
    // Forgets the launcher's mode switches (the desktop never changed).
    void RestoreMode();
    bool HasMode() const { return m_hasMode; }
    DisplayMode CurrentMode() const { return m_current; }

    // Called with the size of each accepted switch, so the engine or menu window can
    // cover exactly that area; a restore passes 0 × 0.
    using WindowPlacer = std::function<void(int width, int height)>;
    void SetWindowPlacer(WindowPlacer placer) { m_placer = std::move(placer); }

private:
    DisplayMode m_current;
    bool m_hasMode = false;
    WindowPlacer m_placer;
};

// XRandR modes when an X display can be opened, a fixed list otherwise.
std::unique_ptr<DisplayLayer> MakeSystemDisplayLayer();

// The layer in use; created on first use. Tests install their own.
DisplayLayer& CurrentDisplayLayer();
// Installs a layer (not owned); nullptr returns to the system layer.
void SetDisplayLayer(DisplayLayer* layer);

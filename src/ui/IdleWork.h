#pragma once
// The idle processing shared by every modal dialog: the engine frame pump first, so
// a game suspended behind the menu keeps running, then the work other parts of the
// launcher register (master exchanges, server refreshes).
#include <functional>

class IdleWork
{
public:
    // Returns true while it has more to do soon (the next idle pass comes at once).
    using Work = std::function<bool()>;
    // Runs one engine frame and returns the engine state.
    using FramePump = std::function<int()>;
    using Id = int;
    // The engine state a frame pump returns while a game runs.
    static constexpr int kEngineRunningState = 1;

    // Registration is safe from inside a running pass; a work added during a pass
    // first runs in the next one.
    static Id Register(Work work);
    static void Unregister(Id id);
    static bool IsRegistered(Id id);

    // One idle pass: the frame pump, then every registered work in registration
    // order. A work (or the pump) that opens a modal dialog is not entered again from
    // that dialog's idle processing. True when something wants another pass soon.
    static bool RunOnce();
    // The two halves of a pass, for idle processing that runs the engine frame in an
    // order of its own (the main menu): the frame pump alone (true while the engine
    // runs), and the registered work alone.
    static bool RunFramePump();
    static bool RunRegistered();

    // The engine's frame pump, which the launcher registers when it creates its
    // engine host; before that no engine can run and a pass pumps nothing.
    static void SetEngineFrame(FramePump pump);
    // Replaces the frame pump (tests); an empty function restores the engine's.
    static void SetFramePump(FramePump pump);
};

// Keeps a work registered while it lives.
class IdleWorkRegistration
{
public:
    IdleWorkRegistration() = default;
    explicit IdleWorkRegistration(IdleWork::Work work) : m_id(IdleWork::Register(std::move(work))) {}
    ~IdleWorkRegistration() { Reset(); }
    IdleWorkRegistration(const IdleWorkRegistration&) = delete;
    IdleWorkRegistration& operator=(const IdleWorkRegistration&) = delete;

    void Reset()
    {
        if (m_id)
            IdleWork::Unregister(m_id);
        m_id = 0;
    }

private:
    IdleWork::Id m_id = 0;
};

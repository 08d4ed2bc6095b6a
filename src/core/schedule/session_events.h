#pragma once
// What the session, the power state and the clock do to the schedule: a showing on the screen ends when
// the user goes away, showings that fall due while nobody can see them wait, and the count-down is
// worked out afresh when the clock jumps.

#include "schedule/hold_back.h"

#include <chrono>
#include <optional>

namespace uplift {

enum class SessionEvent {
    Lock,        // the session was locked
    Unlock,      // ... and unlocked
    Disconnect,  // the session left the console or a remote connection
    Connect,     // ... and came back
    DisplayOff,  // the console display went dark
    DisplayOn,   // ... and came on again (dimmed counts as on)
    Suspend,     // the machine goes to sleep
    Resume,      // ... and woke up
    ClockChange, // the clock or the time zone was changed
};

struct SessionEffect {
    bool EndsShowing = false; // the affirmation on the screen goes, as with Escape
    bool Recompute = false;   // the count-down is worked out again at once from the new time
    friend bool operator==(const SessionEffect&, const SessionEffect&) = default;
};

SessionEffect EffectOf(SessionEvent event);

// Nothing is shown this long after a resume: the user has just opened the lid.
inline constexpr std::chrono::seconds kResumeQuiet{10};
// A suspend whose resume never arrives (the sleep failed unannounced) holds showings back no longer than
// this.
inline constexpr std::chrono::seconds kSuspendHoldLimit{60};

// The session's state as the events left it. Time points come from a clock without jumps or a daily
// wrap, handed in by the caller.
class SessionState {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // The event's effect, after the state has taken it in.
    SessionEffect Apply(SessionEvent event, TimePoint now);
    // Sets the holds that the state gives at `now`; `screenSaverRunning` is looked up by the caller only
    // when it asks.
    void AddHolds(Holds& holds, bool screenSaverRunning, TimePoint now) const;

private:
    bool locked_ = false;
    bool disconnected_ = false;
    bool displayOff_ = false;
    std::optional<TimePoint> suspendedAt_;
    std::optional<TimePoint> resumedAt_;
};

} // namespace uplift

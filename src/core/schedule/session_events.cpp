#include "schedule/session_events.h"

namespace uplift {

SessionEffect EffectOf(SessionEvent event) {
    switch (event) {
    // Nobody can see the affirmation any more.
    case SessionEvent::Lock:
    case SessionEvent::Disconnect:
    case SessionEvent::Suspend: return {.EndsShowing = true};
    // The count-down missed the time asleep, or the clock jumped.
    case SessionEvent::Resume:
    case SessionEvent::ClockChange: return {.Recompute = true};
    // What holds showings back, and for how long, is the state's (AddHolds).
    case SessionEvent::DisplayOff:
    case SessionEvent::Unlock:
    case SessionEvent::Connect:
    case SessionEvent::DisplayOn: return {};
    }
    return {};
}

SessionEffect SessionState::Apply(SessionEvent event, TimePoint now) {
    switch (event) {
    case SessionEvent::Lock: locked_ = true; break;
    case SessionEvent::Unlock: locked_ = false; break;
    case SessionEvent::Disconnect: disconnected_ = true; break;
    case SessionEvent::Connect: disconnected_ = false; break;
    case SessionEvent::DisplayOff: displayOff_ = true; break;
    case SessionEvent::DisplayOn: displayOff_ = false; break;
    case SessionEvent::Suspend: suspendedAt_ = now; break;
    case SessionEvent::Resume:
        suspendedAt_.reset();
        resumedAt_ = now;
        break;
    case SessionEvent::ClockChange: break;
    }
    return EffectOf(event);
}

void SessionState::AddHolds(Holds& holds, bool screenSaverRunning, TimePoint now) const {
    holds.Locked = holds.Locked || locked_ || disconnected_;
    holds.DisplayOff = holds.DisplayOff || displayOff_;
    holds.ScreenSaver = holds.ScreenSaver || screenSaverRunning;
    const bool asleep = suspendedAt_ && now - *suspendedAt_ < kSuspendHoldLimit;
    const bool waking = resumedAt_ && now - *resumedAt_ < kResumeQuiet;
    holds.Resuming = holds.Resuming || asleep || waking;
}

} // namespace uplift

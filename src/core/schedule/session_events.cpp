#include "schedule/session_events.h"

namespace uplift {

SessionEffect EffectOf(SessionEvent event) {
    switch (event) {
    // Nobody can see the affirmation any more.
    case SessionEvent::Lock:
    case SessionEvent::Disconnect:
    case SessionEvent::Suspend: return {.EndsShowing = true, .HoldsBack = true};
    case SessionEvent::DisplayOff: return {.HoldsBack = true};
    case SessionEvent::Unlock:
    case SessionEvent::Connect:
    case SessionEvent::DisplayOn: return {.Releases = true};
    // The sleep's hold gives way to the quiet after waking; the count-down missed the time asleep.
    case SessionEvent::Resume: return {.HoldsBack = true, .Releases = true, .Recompute = true};
    case SessionEvent::ClockChange: return {.Recompute = true};
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

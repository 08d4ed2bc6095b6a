#pragma once
// What may keep a showing that falls due off the screen, and what becomes of it then: shown, kept as
// the one pending showing (it comes once nothing holds it back any more), or skipped.

#include "settings/settings_record.h"

namespace uplift {

struct Holds {
    bool Paused = false;      // the user paused showings from the icon's menu
    bool FullScreen = false;  // a full-screen program is in the foreground, and quiet is wanted then
    bool Locked = false;      // the session is locked
    bool ScreenSaver = false; // the screen saver runs
    bool DisplayOff = false;  // the console display is off
    bool Resuming = false;    // the first seconds after a resume from sleep

    bool Any() const { return Paused || Quiet(); }
    // Everything but the pause: the user is away or busy, and the showing waits for them.
    bool Quiet() const { return FullScreen || Locked || ScreenSaver || DisplayOff || Resuming; }
};

enum class DueOutcome { Show, Pending, Skip };

// A pause skips the daily and the repeated showing (the next comes on its own), but keeps a single
// date, which would otherwise never come; anything else holding a showing back keeps it pending.
DueOutcome OnDue(WhenToDisplay mode, const Holds& holds);

} // namespace uplift

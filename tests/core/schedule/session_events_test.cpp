#include "schedule/session_events.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace uplift {
namespace {

// Timelines of 5 s a character: an event's letter (kEvents, in the order of SessionEvent), V v the screen
// saver on and off, . nothing; and # where a showing that falls due then waits.
constexpr char kEvents[] = "LUDCONSRT";
constexpr std::pair<const char*, const char*> kTimelines[]{
    {"..LOUDNVCv..", "..#######..."},                      // each hold alone for a while
    {"..LTSR..U..", "..######..."},                        // the lock outlasts a clock change and a sleep
    {"..S.R...S.............", "..####..############.."}}; // the quiet after waking; a sleep that never came

TEST(SessionEvents, HoldShowingsBackUntilTheLastHoldEndsAndRecomputeAfterAClockChangeOrAWake) {
    for (const auto& [events, held] : kTimelines) {
        SessionState state;
        bool saver = false;
        std::string seen;
        for (const char* what = events; *what; ++what) {
            const auto now = SessionState::TimePoint{} + std::chrono::seconds(5 * (what - events));
            if (*what == 'V' || *what == 'v') saver = *what == 'V';
            if (const char* e = std::strchr(kEvents, *what)) state.Apply(SessionEvent(e - kEvents), now);
            Holds holds;
            state.AddHolds(holds, saver, now);
            seen += OnDue(WhenToDisplay::Pause, holds) == DueOutcome::Pending ? '#' : '.';
        }
        EXPECT_EQ(seen, held) << events;
    }
    for (const char* event = kEvents; *event; ++event) {
        const SessionEffect effect = EffectOf(SessionEvent(event - kEvents));
        EXPECT_EQ(effect.EndsShowing, std::strchr("LDS", *event) != nullptr) << *event;
        EXPECT_EQ(effect.Recompute, std::strchr("RT", *event) != nullptr) << *event;
    }
}

} // namespace
} // namespace uplift

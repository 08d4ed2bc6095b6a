#include "schedule/scheduler.h"

#include "schedule/pause.h"
#include "schedule/session_events.h"

#include "test_doubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>
#include <string>

namespace uplift {
namespace {

// Central European time: two hours ahead of UTC until summer time ends on 25 October 2026, then one.
struct FallBackZone final : TimeZone {
    std::int64_t ToLocal(std::int64_t utc) const override { return utc + (utc < end ? 7200 : 3600); }
    std::int64_t ToUtc(std::int64_t t) const override { return t - (t - 7200 < end ? 7200 : 3600); }
    std::int64_t end = ToWholeSeconds(FromCivil({2026, 10, 25, 1}));
};

double Ms(const CivilDateTime& c) {
    return std::round(FromCivil(c) * 86'400'000.0);
}

struct Case {
    const char* Name;
    WhenToDisplay When;
    int Pause;                   // index of cboPause
    const char *Everyday, *Date; // a moment (for the daily time only its time of day counts) or none
    const char* Start;           // the moment of OK or Cancel
    bool Ok;                     // OK decides what has been dealt with; Cancel leaves it as it was
    int Interval, Slack;         // ms from tick to tick; how much later than listed a drifting tick may show
    const char* Until;           // the last tick comes at or before this moment
    const char* Host;            // C closing, D disabled, R options shown by the refresh, M menu open
    const char* Shows;           // the moments of the showings, each of which lasts 5 s
    const wchar_t* Tip;          // after the last tick, following "Uplift Beacon, ", or null
    const wchar_t* Log;          // what the last tick asked of the form, or null
    bool Running;                // the timer afterwards
    const char* Holds = "";      // what holds a showing back in each second of the minute, as in FakeHost
};

// The main form as the scheduler sees it; `log` holds what the last tick asked of it. A showing lasts 5 s.
struct FakeHost final : SchedulerHost {
    FakeHost(ManualClock& clock, const Case& row) : clock(clock), row(row) {}
    bool Has(char flag) const { return std::strchr(row.Host, flag) != nullptr; } // as in Case::Host
    bool OptionsVisible() const override { return options; }
    bool Closing() const override { return Has('C'); }
    bool Enabled() const override { return !Has('D'); }
    bool PopupMenuVisible() const override { return Has('M'); }
    void HideOptions() override { options = false, log += L"hide "; }
    void StartTimer() override { running = true, log += L"start "; }
    void StopTimer() override { running = false, log += L"stop "; }
    void SetToolTipText(std::wstring text) override { tip = text, log += L"tip "; }
    void RefreshTray() override { log += L"refresh ", options |= Has('R'); }
    void ShowAffirmation() override {
        log += L"show ", shows.push_back(Ms(clock.Local()));
        clock.AdvanceMilliseconds(5000);
    }
    // What holds a showing back in each second of the minute: '.' nothing, F full screen, P a pause, B both.
    char Hold() const { return (row.Holds + std::string(60, '.'))[clock.Local().Second]; }
    bool Paused() const override { return Hold() == 'P' || Hold() == 'B'; }
    std::wstring PausedTip() const override { return L"Uplift Beacon, paused"; }
    Holds HeldBack() override { return {.Paused = Paused(), .FullScreen = Hold() == 'F' || Hold() == 'B'}; }
    ManualClock& clock;
    const Case& row;
    std::vector<double> shows;
    bool options = true, running = false;
    std::wstring tip, log;
};

// "dd hh:mm:ss[.mmm]" in December 2026, or "yyyy-mm-dd hh:mm:ss".
CivilDateTime Moment(const char* text) {
    CivilDateTime c{2026, 12};
    if (std::strchr(text, '-'))
        std::sscanf(text, "%d-%d-%d %d:%d:%d", &c.Year, &c.Month, &c.Day, &c.Hour, &c.Minute, &c.Second);
    else
        std::sscanf(text, "%d %d:%d:%d.%d", &c.Day, &c.Hour, &c.Minute, &c.Second, &c.Millisecond);
    return c;
}

using enum WhenToDisplay;
// clang-format off
constexpr Case kCases[]{
    {"1 minuet from the end of each showing", Pause, 10, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:03:10", "", "06 12:01:00 06 12:02:05 06 12:03:10", L"Count down: 00:00:00", L"tip refresh show ", 1},
    {"beyond the pause list: 1 minuet", Pause, 21, 0, 0, "06 08:30:15.250", 0, 1000, 0, "06 08:30:16.250", "", "", L"Count down: 00:00:59", 0, 1},
    {"1.5 s left rounds to 2", Pause, 10, 0, 0, "06 12:00:00.500", 1, 500, 0, "06 12:00:59", "", "", L"Count down: 00:00:02", 0, 1},
    {"0.5 s left rounds to 0", Pause, 10, 0, 0, "06 12:00:00.500", 1, 500, 0, "06 12:01:00", "", "06 12:01:00", L"Count down: 00:00:00", 0, 1},
    {"10 minuets across midnight", Pause, 15, 0, 0, "06 23:55:00.300", 1, 2000, 2000, "07 00:10:00", "", "07 00:05:00.300", 0, 0, 1},
    {"every day at 10:00 counting down", Everyday, 10, "06 10:00:00", 0, "06 09:59:57", 1, 1000, 0, "06 09:59:59", "", "", L"Count down: 00:00:01", L"tip refresh ", 1},
    {"every day at 10:00, a full day to go", Everyday, 10, "06 10:00:00", 0, "06 09:59:57", 1, 1000, 0, "06 10:00:00", "", "06 10:00:00", L"Count down: 1 day, 00:00:00", L"tip refresh show ", 1},
    {"every day without a time: midnight", Everyday, 10, 0, 0, "06 23:59:00", 1, 30000, 5000, "08 00:01:00", "", "07 00:00:00 08 00:00:00", 0, 0, 1},
    {"OK within the daily minute, its seconds left out", Everyday, 10, "06 12:00:45", 0, "06 12:00:30", 1, 1000, 0, "06 12:00:31", "", "", L"Count down: 23:59:29", 0, 1},
    {"Cancel as the daily minute ends", Everyday, 10, "06 12:00:00", 0, "06 12:00:59", 0, 1000, 0, "06 12:01:00", "", "", L"Count down: 23:59:00", 0, 1},
    {"OK at the daily second", Everyday, 10, "06 12:00:00", 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "", "06 12:00:01", L"Count down: 23:59:59", 0, 1},
    {"a date a minute ahead counting down", Date, 10, 0, "06 12:01:00", "06 12:00:00", 1, 1000, 0, "06 12:00:59", "", "", L"Count down: 00:00:01", L"tip refresh ", 1},
    {"a date three days ahead, on its day only", Date, 10, 0, "09 10:00:00", "06 09:59:50", 1, 60000, 60000, "09 10:05:00", "", "09 10:00:00", 0, 0, 0},
    {"OK a second after the date", Date, 10, 0, "06 12:00:29", "06 12:00:30", 1, 1000, 0, "06 12:00:31", "", "", L" destination was 12/6/2026 12:00:29 PM", L"stop tip refresh ", 0},
    {"OK at the date's second", Date, 10, 0, "06 12:00:30", "06 12:00:30", 1, 1000, 0, "06 12:00:31", "", "06 12:00:31", L"Count down: 00:00:00", 0, 1},
    {"70 years ahead", Date, 10, 0, "2096-12-06 12:00:00", "06 12:00:30", 1, 1000, 0, "06 12:00:31", "", "", L" destination was 12/6/2096 12:00:00 PM", 0, 0},
    {"70 years behind", Date, 10, 0, "1956-12-06 12:00:00", "06 12:00:30", 0, 1000, 0, "06 12:00:31", "", "", L" destination was 12/6/1956 12:00:00 PM", 0, 0},
    {"no date", Date, 10, 0, 0, "06 12:00:30", 0, 1000, 0, "06 12:00:31", "", "", L" destination was ", 0, 0},
    {"the most the count-down holds", Date, 10, 0, "2094-12-24 15:14:38", "06 12:00:30", 0, 1000, 0, "06 12:00:31", "", "", L"Count down: 24855 days, 03:14:07", 0, 1},
    {"closing", Pause, 0, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "C", "", L"Count down: 00:00:00", L"tip refresh stop ", 0},
    {"disabled", Pause, 0, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "D", "", L"Count down: 00:00:00", L"tip refresh stop ", 0},
    {"options opened during the refresh", Pause, 0, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "R", "", L"Count down: 00:00:00", L"tip refresh stop ", 0},
    {"the menu open: no refresh", Pause, 10, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "M", "", L"Count down: 00:00:59", L"tip ", 1},
    {"four held back make one", Pause, 1, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:16", "", "06 12:00:10", 0, 0, 1, ".FFFFFFFFF"},
    {"the tip while paused", Pause, 1, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "", "", L"paused", 0, 1, ".P"},
    {"skipped while paused, then counted afresh", Pause, 1, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:12", "", "06 12:00:12", 0, 0, 1, ".PPPPPPPPP..."},
    {"a pause takes the one waiting", Pause, 1, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:12", "", "06 12:00:11", 0, 0, 1, ".FFFBBPPP...."},
    {"the daily one skipped while paused", Everyday, 1, "06 12:00:05", 0, "06 12:00:00", 1, 1000, 0, "06 12:00:12", "", "", 0, 0, 1, ".PPPPPPPPPP.."},
    {"the daily one after the full-screen program", Everyday, 1, "06 12:00:05", 0, "06 12:00:00", 1, 1000, 0, "06 12:00:12", "", "06 12:00:11", 0, 0, 1, ".FFFFFFFFFF.."},
    {"the date when the pause ends", Date, 1, 0, "06 12:00:05", "06 12:00:00", 1, 1000, 0, "06 12:00:22", "", "06 12:00:20", 0, 0, 1, ".PPPPPPPPPPPPPPPPPPP..."},
    {"the date due in a pause: the ticks go on", Date, 1, 0, "06 12:00:02", "06 12:00:00", 1, 1000, 0, "06 12:00:05", "", "", L"paused", 0, 1, ".PPPPP"},
};
// clang-format on

TEST(Scheduler, CountsDownAndShowsTickByTick) {
    const auto setting = [](const char* m) { return m ? std::optional(FromCivil(Moment(m))) : std::nullopt; };
    for (const Case& r : kCases) {
        SCOPED_TRACE(r.Name);
        const SettingsRecord record{
            .Pause = r.Pause, .When = r.When, .Everyday = setting(r.Everyday), .Date = setting(r.Date)};
        ManualClock clock(Moment(r.Start));
        const EnUsRegionalFormats formats;
        FakeHost host(clock, r);
        Scheduler scheduler(record, clock, formats, host);
        if (r.Ok) scheduler.CheckPassed();
        scheduler.StartSchedule();
        EXPECT_EQ(host.log, L"hide start ");

        for (const double until = Ms(Moment(r.Until)); Ms(clock.Local()) + r.Interval <= until;) {
            clock.AdvanceMilliseconds(r.Interval);
            if (!host.running) continue;
            host.log.clear();
            scheduler.tmrMessage_Timer();
        }
        std::vector<double> shows;
        std::istringstream expected(r.Shows);
        for (std::string day, time; expected >> day >> time;)
            shows.push_back(Ms(Moment((day + " " + time).c_str())));
        ASSERT_EQ(host.shows.size(), shows.size());
        for (std::size_t i = 0; i < shows.size(); ++i)
            EXPECT_TRUE(host.shows[i] >= shows[i] - (r.Slack ? 500 : 0) &&
                        host.shows[i] <= shows[i] + r.Slack)
                << "showing " << i << " " << host.shows[i] - shows[i] << " ms late";
        if (r.Tip) EXPECT_EQ(host.tip, L"Uplift Beacon, " + std::wstring(r.Tip));
        if (r.Log) EXPECT_EQ(host.log, r.Log);
        EXPECT_EQ(host.running, r.Running);
    }
}

TEST(Pause, EndsAtItsTimeOrTheNextLocalMidnightStoredInUtcAndToldInTheTip) {
    const auto at = [](const char* moment) { return ToWholeSeconds(FromCivil(Moment(moment))); };
    const FallBackZone zone;
    using enum PauseChoice;
    const std::tuple<const char*, PauseChoice, const char*> ends[]{
        {"06 10:00", Minutes30, "06 10:30"},     {"06 23:45", Hour1, "07 00:45"},
        {"06 10:00", Hours2, "06 12:00"},        {"06 10:00", UntilTomorrow, "06 23:00"},
        {"06 23:00", UntilTomorrow, "07 23:00"}, {"2026-10-24 22:30", UntilTomorrow, "2026-10-25 23:00"}};
    for (const auto& [now, choice, end] : ends)
        EXPECT_EQ(PauseEnd(choice, at(now), zone), at(end)) << now << " " << static_cast<int>(choice);

    const std::int64_t now = at("06 10:00");
    EXPECT_EQ(StoredPauseEnd(PauseEndText(now + 2 * 86'400), now), now + 2 * 86'400);
    for (const wchar_t* stored : {L"", L"2026-12-08T10:00:01Z", L"2026-12-06T10:00:00Z",
                                  L"2026-12-06 11:00:00Z", L"2026-12-06T11:00:60Z", L"2026-11-36T11:00:00Z"})
        EXPECT_EQ(StoredPauseEnd(stored, now), std::nullopt) << testing::PrintToString(std::wstring(stored));

    const EnUsRegionalFormats enUs;
    EXPECT_EQ(PausedTip(at("06 22:59"), now, zone, enUs), L"Uplift Beacon, paused until 11:59 PM");
    EXPECT_EQ(PausedTip(at("06 23:00"), now, zone, enUs), L"Uplift Beacon, paused until 12/7/2026 12:00 AM");
}

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

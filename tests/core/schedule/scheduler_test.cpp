#include "schedule/scheduler.h"

#include "test_doubles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <sstream>

namespace uplift {
namespace {

double Ms(const CivilDateTime& c) {
    return std::round(FromCivil(c) * 86'400'000.0);
}

// The main form as the scheduler sees it; `log` holds what the last tick asked of it. A showing lasts 5 s.
struct FakeHost final : SchedulerHost {
    explicit FakeHost(ManualClock& clock) : clock(clock) {}
    bool OptionsVisible() const override { return options; }
    bool Closing() const override { return closing; }
    bool Enabled() const override { return enabled; }
    bool PopupMenuVisible() const override { return popup; }
    void HideOptions() override { options = false, log += L"hide "; }
    void StartTimer() override { running = true, log += L"start "; }
    void StopTimer() override { running = false, log += L"stop "; }
    void SetToolTipText(std::wstring text) override { tip = text, log += L"tip "; }
    void RefreshTray() override { log += L"refresh ", options |= openOnRefresh; }
    void ShowAffirmation() override {
        log += L"show ", shows.push_back(Ms(clock.Local()));
        clock.AdvanceMilliseconds(5000);
    }
    // Held back from..to seconds after 12:00:00 ("1-10"), or never.
    bool Within(const char* span) const {
        int from = 0, to = 0;
        const CivilDateTime& c = clock.Local();
        const int at = (c.Hour - 12) * 3600 + c.Minute * 60 + c.Second;
        return span && std::sscanf(span, "%d-%d", &from, &to) == 2 && at >= from && at < to;
    }
    bool Paused() const override { return Within(paused); }
    std::wstring PausedTip() const override { return L"paused"; }
    Holds HeldBack() override { return {.Paused = Within(paused), .FullScreen = Within(full)}; }
    ManualClock& clock;
    const char *paused = nullptr, *full = nullptr;
    std::vector<double> shows;
    bool options = true, closing = false, enabled = true, popup = false, running = false,
         openOnRefresh = false;
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
std::optional<DateTime> Setting(const char* moment) {
    return moment ? std::optional(FromCivil(Moment(moment))) : std::nullopt;
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
    const char*
        Host; // V options visible, C closing, D disabled, R options opened by the refresh, M menu open
    const char* Shows;  // the moments of the showings, each of which lasts 5 s
    const wchar_t* Tip; // after the last tick ("@": the destination tip), or null
    const wchar_t* Log; // what the last tick asked of the form, or null
    bool Running;       // the timer afterwards
};
using enum WhenToDisplay;
// clang-format off
constexpr Case kCases[]{
    {"1 minuet from the end of each showing", Pause, 10, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:03:10", "", "06 12:01:00 06 12:02:05 06 12:03:10", L"00:00:00", L"tip refresh show ", 1},
    {"below the pause list: 1 minuet", Pause, -1, 0, 0, "06 08:30:15.250", 0, 1000, 0, "06 08:30:16.250", "", "", L"00:00:59", 0, 1},
    {"beyond the pause list: 1 minuet", Pause, 21, 0, 0, "06 08:30:15.250", 0, 1000, 0, "06 08:30:16.250", "", "", L"00:00:59", 0, 1},
    {"1.5 s left rounds to 2", Pause, 10, 0, 0, "06 12:00:00.500", 1, 500, 0, "06 12:00:59", "", "", L"00:00:02", 0, 1},
    {"0.5 s left rounds to 0", Pause, 10, 0, 0, "06 12:00:00.500", 1, 500, 0, "06 12:01:00", "", "06 12:01:00", L"00:00:00", 0, 1},
    {"10 minuets across midnight", Pause, 15, 0, 0, "06 23:55:00.300", 1, 2000, 2000, "07 00:10:00", "", "07 00:05:00.300", 0, 0, 1},
    {"every day at 10:00 counting down", Everyday, 10, "06 10:00:00", 0, "06 09:59:57", 1, 1000, 0, "06 09:59:59", "", "", L"00:00:01", L"tip refresh ", 1},
    {"every day at 10:00, a full day to go", Everyday, 10, "06 10:00:00", 0, "06 09:59:57", 1, 1000, 0, "06 10:00:00", "", "06 10:00:00", L"1 day, 00:00:00", L"tip refresh show ", 1},
    {"every day without a time: midnight", Everyday, 10, 0, 0, "06 23:59:00", 1, 30000, 5000, "08 00:01:00", "", "07 00:00:00 08 00:00:00", 0, 0, 1},
    {"OK within the daily minute, its seconds left out", Everyday, 10, "06 12:00:45", 0, "06 12:00:30", 1, 1000, 0, "06 12:00:31", "", "", L"23:59:29", 0, 1},
    {"Cancel as the daily minute ends", Everyday, 10, "06 12:00:00", 0, "06 12:00:59", 0, 1000, 0, "06 12:01:00", "", "", L"23:59:00", 0, 1},
    {"OK at the daily second", Everyday, 10, "06 12:00:00", 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "", "06 12:00:01", L"23:59:59", 0, 1},
    {"a date a minute ahead counting down", Date, 10, 0, "06 12:01:00", "06 12:00:00", 1, 1000, 0, "06 12:00:59", "", "", L"00:00:01", L"tip refresh ", 1},
    {"a date three days ahead, on its day only", Date, 10, 0, "09 10:00:00", "06 09:59:50", 1, 60000, 60000, "09 10:05:00", "", "09 10:00:00", 0, 0, 0},
    {"OK a second after the date", Date, 10, 0, "06 12:00:29", "06 12:00:30", 1, 1000, 0, "06 12:00:31", "", "", L"@12/6/2026 12:00:29 PM", L"stop tip refresh ", 0},
    {"OK at the date's second", Date, 10, 0, "06 12:00:30", "06 12:00:30", 1, 1000, 0, "06 12:00:31", "", "06 12:00:31", L"00:00:00", 0, 1},
    {"70 years ahead", Date, 10, 0, "2096-12-06 12:00:00", "06 12:00:30", 1, 1000, 0, "06 12:00:31", "", "", L"@12/6/2096 12:00:00 PM", 0, 0},
    {"70 years behind", Date, 10, 0, "1956-12-06 12:00:00", "06 12:00:30", 0, 1000, 0, "06 12:00:31", "", "", L"@12/6/1956 12:00:00 PM", 0, 0},
    {"no date", Date, 10, 0, 0, "06 12:00:30", 0, 1000, 0, "06 12:00:31", "", "", L"@", 0, 0},
    {"the most the count-down holds", Date, 10, 0, "2094-12-24 15:14:38", "06 12:00:30", 0, 1000, 0, "06 12:00:31", "", "", L"24855 days, 03:14:07", 0, 1},
    {"options visible", Pause, 0, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "V", "", L"00:00:00", L"tip refresh stop ", 0},
    {"closing", Pause, 0, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "C", "", L"00:00:00", L"tip refresh stop ", 0},
    {"disabled", Pause, 0, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "D", "", L"00:00:00", L"tip refresh stop ", 0},
    {"options opened during the refresh", Pause, 0, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "R", "", L"00:00:00", L"tip refresh stop ", 0},
    {"the menu open: no refresh", Pause, 10, 0, 0, "06 12:00:00", 1, 1000, 0, "06 12:00:01", "M", "", L"00:00:59", L"tip ", 1},
};
// clang-format on

TEST(Scheduler, CountsDownAndShowsTickByTick) {
    for (const Case& r : kCases) {
        SCOPED_TRACE(r.Name);
        SettingsRecord record;
        record.When = r.When, record.Pause = r.Pause, record.Everyday = Setting(r.Everyday),
        record.Date = Setting(r.Date);
        ManualClock clock(Moment(r.Start));
        const EnUsRegionalFormats formats;
        FakeHost host(clock);
        Scheduler scheduler(record, clock, formats, host);
        if (r.Ok) scheduler.CheckPassed();
        scheduler.StartSchedule();
        EXPECT_EQ(host.log, L"hide start ");
        const auto has = [&](char flag) { return std::strchr(r.Host, flag) != nullptr; };
        host.options = has('V');
        host.closing = has('C');
        host.enabled = !has('D');
        host.openOnRefresh = has('R');
        host.popup = has('M');

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
        if (r.Tip)
            EXPECT_EQ(host.tip, std::wstring(r.Tip[0] == L'@' ? L"Uplift Beacon,  destination was "
                                                              : L"Uplift Beacon, Count down: ") +
                                    (r.Tip + (r.Tip[0] == L'@')));
        if (r.Log) EXPECT_EQ(host.log, r.Log);
        EXPECT_EQ(host.running, r.Running);
    }
}

struct HoldCase {
    const char* Name;
    WhenToDisplay When;
    const char *Everyday, *Date; // on 6 December, from a start at 12:00:00 and a tick every second
    const char *Paused, *Full;   // seconds after the start
    const char* Until;
    const char* Shows;
    const wchar_t* Tip; // after the last tick: "paused", "@" the destination tip, or null
    bool Running;
};
// clang-format off
constexpr HoldCase kHoldCases[]{
    {"full screen holds four repeated showings back: one comes after", Pause, 0, 0, 0, "1-10", "06 12:00:13", "06 12:00:10", 0, 1},
    {"a pause skips them and counts afresh when it ends", Pause, 0, 0, "1-10", 0, "06 12:00:13", "06 12:00:12", 0, 1},
    {"the paused tip instead of the count-down", Pause, 0, 0, "1-10", 0, "06 12:00:05", "", L"paused", 1},
    {"a pause begun while a showing waits takes it", Pause, 0, 0, "4-9", "1-5", "06 12:00:12", "06 12:00:11", 0, 1},
    {"the daily time in a pause: none that day", Everyday, "06 12:00:05", 0, "1-30", 0, "06 12:01:00", "", 0, 1},
    {"the daily time in full screen: after it", Everyday, "06 12:00:05", 0, 0, "1-30", "06 12:01:00", "06 12:00:30", 0, 1},
    {"a single date in a pause: when it ends, then done", Date, 0, "06 12:00:05", "1-20", 0, "06 12:00:30", "06 12:00:20", L"@", 0},
    {"a single date waiting for full screen outlasts a pause", Date, 0, "06 12:00:02", "4-9", "1-5", "06 12:00:12", "06 12:00:09", 0, 1},
    {"still paused when the single date has passed: the ticks go on", Date, 0, "06 12:00:05", "1-60", 0, "06 12:00:30", "", L"paused", 1},
};
// clang-format on

// What a pause or a full-screen program makes of the showings; several held back make one.
TEST(Scheduler, HoldsShowingsBackSkipsThemInAPauseAndShowsThePendingOneAfter) {
    for (const HoldCase& r : kHoldCases) {
        SCOPED_TRACE(r.Name);
        SettingsRecord record;
        record.When = r.When, record.Pause = 1, record.Everyday = Setting(r.Everyday),
        record.Date = Setting(r.Date);
        ManualClock clock(Moment("06 12:00:00"));
        const EnUsRegionalFormats formats;
        FakeHost host(clock);
        host.paused = r.Paused, host.full = r.Full;
        Scheduler scheduler(record, clock, formats, host);
        scheduler.CheckPassed();
        scheduler.StartSchedule();
        while (Ms(clock.Local()) + 1000 <= Ms(Moment(r.Until))) {
            clock.AdvanceMilliseconds(1000);
            if (host.running) scheduler.tmrMessage_Timer();
        }
        std::istringstream expected(r.Shows);
        std::vector<double> shows;
        for (std::string day, time; expected >> day >> time;)
            shows.push_back(Ms(Moment((day + " " + time).c_str())));
        EXPECT_EQ(host.shows, shows);
        if (r.Tip && r.Tip[0] == L'@')
            EXPECT_EQ(host.tip, L"Uplift Beacon,  destination was 12/6/2026 12:00:0" +
                                    std::wstring(1, r.Date[10]) + L" PM");
        else if (r.Tip)
            EXPECT_EQ(host.tip, r.Tip);
        EXPECT_EQ(host.running, r.Running);
    }
}

} // namespace
} // namespace uplift

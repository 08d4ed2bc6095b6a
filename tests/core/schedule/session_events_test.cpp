#include "schedule/scheduler.h"
#include "schedule/session_events.h"

#include "test_doubles.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace uplift {
namespace {

// The main form as the session sees it: its holds at a monotonic second apart from the wall clock, which
// jumps.
struct SessionHost final : SchedulerHost {
    bool OptionsVisible() const override { return false; }
    bool Closing() const override { return false; }
    bool Enabled() const override { return true; }
    bool PopupMenuVisible() const override { return false; }
    void HideOptions() override {}
    void StartTimer() override { running = true; }
    void StopTimer() override { running = false; }
    void SetToolTipText(std::wstring text) override { tip = std::move(text); }
    void RefreshTray() override {}
    void ShowAffirmation() override { shows += std::to_string(second) + " "; }
    Holds HeldBack() override {
        Holds holds;
        state.AddHolds(holds, saver, Now());
        return holds;
    }
    SessionState::TimePoint Now() const { return SessionState::TimePoint{} + std::chrono::seconds(second); }
    SessionState state;
    bool saver = false, running = false;
    int second = 0;
    std::string shows;
    std::wstring tip;
};

// Steps "<second><what>": L U lock, D C disconnect, O N display, V v screen saver, S R sleep and wake (no
// ticks between), F a suspend without a sleep, T a clock change, +n -n the wall clock moved by n seconds.
// The daily time is 12:00, the date 6 December 2026 13:00, the start that day at the hour and minute given.
// The showings are seconds after the start; the tip is read right after the last second's steps.
constexpr std::tuple<WhenToDisplay, int, int, const char*, int, const char*, const wchar_t*> kSteps[]{
    {WhenToDisplay::Pause, 10, 1200, "30L 90U", 100, "90 ", nullptr},
    {WhenToDisplay::Pause, 10, 1200, "30D 75C", 100, "75 ", nullptr},
    {WhenToDisplay::Pause, 10, 1200, "30L 40O 50V 70U 80v 95N", 100, "95 ",
     nullptr},                                                            // the last to end releases
    {WhenToDisplay::Pause, 0, 1200, "3L 40U", 41, "1 2 40 41 ", nullptr}, // several due while locked make one
    {WhenToDisplay::Pause, 10, 1200, "30F", 100, "90 ", nullptr},
    {WhenToDisplay::Pause, 10, 1200, "30S 30+7200 130R", 195, "190 ",
     nullptr},                                                             // counting afresh after a sleep
    {WhenToDisplay::Everyday, 10, 1158, "30S 115R", 130, "125 ", nullptr}, // due in the quiet after waking
    {WhenToDisplay::Everyday, 10, 1158, "30S 115R 118R", 130, "128 ", nullptr},
    {WhenToDisplay::Pause, 10, 1200, "20+3600 20T", 100, "80 ", nullptr},
    {WhenToDisplay::Pause, 10, 1200, "20-3600 20T", 100, "80 ", nullptr},
    {WhenToDisplay::Everyday, 10, 1100, "10+1800 10T", 10, "", L"00:29:50"},
    {WhenToDisplay::Date, 10, 1230, "10-1800 10T", 10, "", L"00:59:50"},
};

TEST(SessionEvents, HoldShowingsBackReleaseThemAndWorkTheCountDownOutAfresh) {
    using enum SessionEvent;
    const std::map<char, SessionEvent> events{
        {'L', Lock},      {'U', Unlock},  {'D', Disconnect}, {'C', Connect}, {'O', DisplayOff},
        {'N', DisplayOn}, {'S', Suspend}, {'F', Suspend},    {'R', Resume},  {'T', ClockChange}};
    for (const auto& [when, pause, start, steps, until, shows, tip] : kSteps) {
        SCOPED_TRACE(steps);
        SettingsRecord record;
        record.When = when, record.Pause = pause, record.Everyday = FromCivil({2026, 12, 6, 12}),
        record.Date = FromCivil({2026, 12, 6, 13});
        ManualClock clock({2026, 12, 6, start / 100, start % 100});
        const EnUsRegionalFormats formats;
        SessionHost host;
        Scheduler scheduler(record, clock, formats, host);
        scheduler.CheckPassed();
        scheduler.StartSchedule();
        std::istringstream script(steps);
        std::multimap<int, std::string> byTime;
        for (std::string step; script >> step;)
            byTime.emplace(std::stoi(step), step.substr(step.find_first_not_of("0123456789")));
        bool asleep = false;
        for (host.second = 1; host.second <= until; ++host.second) {
            clock.AdvanceMilliseconds(1000);
            for (auto [it, end] = byTime.equal_range(host.second); it != end; ++it) {
                const char what = it->second[0];
                if (what == '+' || what == '-') clock.AdvanceMilliseconds(std::stoll(it->second) * 1000);
                if (what == 'V' || what == 'v') host.saver = what == 'V';
                if (!events.contains(what)) continue;
                asleep = what == 'S' || (asleep && what != 'R');
                // As the main form does it: the pause afresh, and a tick at once while the schedule runs.
                if (host.state.Apply(events.at(what), host.Now()).Recompute) {
                    scheduler.RestartPauseCount();
                    if (host.running) scheduler.tmrMessage_Timer();
                }
            }
            if (tip && host.second == until) break;
            if (host.running && !asleep) scheduler.tmrMessage_Timer();
        }
        EXPECT_EQ(host.shows, shows);
        if (tip) EXPECT_EQ(host.tip, std::wstring(L"Uplift Beacon, Count down: ") + tip);
    }
    for (const auto& [what, event] : events)
        EXPECT_EQ(EffectOf(event).EndsShowing, what == 'L' || what == 'D' || what == 'S' || what == 'F')
            << what;
}

} // namespace
} // namespace uplift

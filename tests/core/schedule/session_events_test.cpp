#include "schedule/scheduler.h"
#include "schedule/session_events.h"

#include "test_doubles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace uplift {
namespace {

// The main form as the session sees it: its holds at a monotonic second, apart from the jumping wall clock.
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

// Steps "<second><what>": an event's letter (kEvents, in the order of SessionEvent), V v the screen saver on
// and off, +n -n the wall clock moved by n seconds. The daily time is 12:00, the date 6 December 2026 13:00,
// the start that day at the hour and minute given. The showings are seconds after the start; the tip is read
// right after the last second's steps.
constexpr char kEvents[] = "LUDCONSRT";
constexpr std::tuple<WhenToDisplay, int, int, const char*, int, const char*, const wchar_t*> kSteps[]{
    {WhenToDisplay::Pause, 10, 1200, "30L 90U", 100, "90 ", nullptr},
    {WhenToDisplay::Pause, 10, 1200, "30D 75C", 100, "75 ", nullptr},
    {WhenToDisplay::Pause, 10, 1200, "30L 40O 50V 70U 80v 95N", 100, "95 ", nullptr}, // the last releases
    {WhenToDisplay::Pause, 10, 1200, "30S", 100, "90 ", nullptr},             // a suspend that never slept
    {WhenToDisplay::Pause, 10, 1200, "30S 30+7200 30R", 100, "90 ", nullptr}, // counting afresh after a sleep
    {WhenToDisplay::Everyday, 10, 1159, "55S 55R", 70, "65 ", nullptr},       // due in the quiet after waking
    {WhenToDisplay::Pause, 10, 1200, "20+3600 20T", 100, "80 ", nullptr},
    {WhenToDisplay::Pause, 10, 1200, "20-3600 20T", 100, "80 ", nullptr},
    {WhenToDisplay::Everyday, 10, 1100, "10+1800 10T", 10, "", L"00:29:50"},
    {WhenToDisplay::Date, 10, 1230, "10-1800 10T", 10, "", L"00:59:50"},
};

TEST(SessionEvents, HoldShowingsBackReleaseThemAndWorkTheCountDownOutAfresh) {
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
        for (host.second = 1; host.second <= until; ++host.second) {
            clock.AdvanceMilliseconds(1000);
            std::istringstream script(steps);
            for (std::string step; script >> step;) {
                const std::string what = step.substr(step.find_first_not_of("0123456789"));
                const char* event = std::strchr(kEvents, what[0]);
                if (std::stoi(step) != host.second) continue;
                if (what[0] == '+' || what[0] == '-') clock.AdvanceMilliseconds(std::stoll(what) * 1000);
                if (what[0] == 'V' || what[0] == 'v') host.saver = what[0] == 'V';
                // As the main form does it: the pause afresh, and a tick at once while the schedule runs.
                if (event && host.state.Apply(SessionEvent(event - kEvents), host.Now()).Recompute) {
                    scheduler.RestartPauseCount();
                    if (host.running) scheduler.tmrMessage_Timer();
                }
            }
            if (tip && host.second == until) break;
            if (host.running) scheduler.tmrMessage_Timer();
        }
        EXPECT_EQ(host.shows, shows);
        if (tip) EXPECT_EQ(host.tip, std::wstring(L"Uplift Beacon, Count down: ") + tip);
    }
    for (const char* event = kEvents; *event; ++event)
        EXPECT_EQ(EffectOf(SessionEvent(event - kEvents)).EndsShowing, std::strchr("LDS", *event) != nullptr);
}

} // namespace
} // namespace uplift

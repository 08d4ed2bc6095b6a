#include "schedule/scheduler.h"
#include "schedule/session_events.h"

#include "test_doubles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace uplift {
namespace {

using Steady = SessionState::TimePoint;
using std::chrono::seconds;

// The main form as the session sees it: its holds come from the session's state and the screen saver,
// at a monotonic time kept apart from the wall clock (which jumps).
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
    void ShowAffirmation() override { shows.push_back(second); }
    Holds HeldBack() override {
        Holds holds;
        state.AddHolds(holds, screenSaver, Steady{} + seconds(second));
        return holds;
    }
    SessionState state;
    bool screenSaver = false, running = false;
    int second = 0;
    std::vector<int> shows;
    std::wstring tip;
};

struct SessionCase {
    const char* Name;
    WhenToDisplay When;
    int Pause; // index of cboPause
    const char*
        Start; // "hh:mm:ss" on 6 December 2026, the moment of OK; the daily time is 12:00, the date 13:00
    const char* Script; // "<second><what>" apart: L U lock, D C disconnect, O N display, V v screen saver,
                        // S R sleep and wake (no ticks between), F a suspend with no sleep, T a clock
                        // change, +n -n the wall clock moved by n seconds
    int Until;          // the last tick, in seconds after the start
    const char* Shows;  // seconds after the start
    const wchar_t* Tip; // right after the steps of the last second, before its tick; or null
};
using enum WhenToDisplay;
// clang-format off
constexpr SessionCase kSessionCases[]{
    {"locked when due: shown at the first tick after the unlock", Pause, 10, "12:00:00", "30L 90U", 100, "90", 0},
    {"disconnected when due, back by remote", Pause, 10, "12:00:00", "30D 75C", 100, "75", 0},
    {"display off and on", Pause, 10, "12:00:00", "30O 61N", 100, "61", 0},
    {"the last of the holds to end releases", Pause, 10, "12:00:00", "30L 40O 50V 70U 80v 95N", 100, "95", 0},
    {"several due while locked make one", Pause, 0, "12:00:00", "3L 40U", 41, "1 2 40 41", 0},
    {"the screen saver", Pause, 10, "12:00:00", "59V 66v", 70, "66", 0},
    {"a suspend without a sleep holds 60 s at most", Pause, 10, "12:00:00", "30F", 100, "90", 0},
    {"after a sleep the pause counts afresh", Pause, 10, "12:00:00", "30S 30+7200 130R", 195, "190", 0},
    {"due within 10 s of waking: shown after them", Everyday, 10, "11:58:00", "30S 115R", 130, "125", 0},
    {"a wake resets the quiet", Everyday, 10, "11:58:00", "30S 115R 118R", 130, "128", 0},
    {"clock moved ahead: the pause counts afresh", Pause, 10, "12:00:00", "20+3600 20T", 100, "80", 0},
    {"clock moved back: the pause counts afresh", Pause, 10, "12:00:00", "20-3600 20T", 100, "80", 0},
    {"daily: the tip right at once", Everyday, 10, "11:00:00", "10+1800 10T", 10, "", L"00:29:50"},
    {"single date: the tip right at once", Date, 10, "12:30:00", "10-1800 10T", 10, "", L"00:59:50"},
};
// clang-format on

TEST(SessionEvents, HoldShowingsBackReleaseThemAndRecomputeTheCountDown) {
    for (const SessionCase& r : kSessionCases) {
        SCOPED_TRACE(r.Name);
        int hour = 0, minute = 0, second = 0;
        std::sscanf(r.Start, "%d:%d:%d", &hour, &minute, &second);
        const CivilDateTime start{2026, 12, 6, hour, minute, second};
        SettingsRecord record;
        record.When = r.When, record.Pause = r.Pause;
        record.Everyday = FromCivil({2026, 12, 6, 12, 0, 0});
        record.Date = FromCivil({2026, 12, 6, 13, 0, 0});
        ManualClock clock(start);
        const EnUsRegionalFormats formats;
        SessionHost host;
        Scheduler scheduler(record, clock, formats, host);
        scheduler.CheckPassed();
        scheduler.StartSchedule();

        std::istringstream script(r.Script);
        std::vector<std::pair<int, std::string>> steps;
        for (std::string step; script >> step;) {
            const std::size_t at = step.find_first_not_of("0123456789");
            steps.emplace_back(std::stoi(step.substr(0, at)), step.substr(at));
        }
        bool asleep = false;
        for (host.second = 1; host.second <= r.Until; ++host.second) {
            clock.AdvanceMilliseconds(1000);
            const Steady now = Steady{} + seconds(host.second);
            for (const auto& [at, what] : steps) {
                if (at != host.second) continue;
                const auto apply = [&](SessionEvent event) {
                    if (!host.state.Apply(event, now).Recompute) return;
                    // What the main form does: the pause afresh, and a tick at once while the schedule runs.
                    scheduler.RestartPauseCount();
                    if (host.running) scheduler.tmrMessage_Timer();
                };
                switch (what[0]) {
                case 'L': apply(SessionEvent::Lock); break;
                case 'U': apply(SessionEvent::Unlock); break;
                case 'D': apply(SessionEvent::Disconnect); break;
                case 'C': apply(SessionEvent::Connect); break;
                case 'O': apply(SessionEvent::DisplayOff); break;
                case 'N': apply(SessionEvent::DisplayOn); break;
                case 'V': host.screenSaver = true; break;
                case 'v': host.screenSaver = false; break;
                case 'S': asleep = true, apply(SessionEvent::Suspend); break;
                case 'R': asleep = false, apply(SessionEvent::Resume); break;
                case 'F': apply(SessionEvent::Suspend); break;
                case 'T': apply(SessionEvent::ClockChange); break;
                default: clock.AdvanceMilliseconds(std::stoll(what) * 1000); break;
                }
            }
            if (r.Tip && host.second == r.Until) break;
            if (host.running && !asleep) scheduler.tmrMessage_Timer();
        }
        std::vector<int> shows;
        std::istringstream expected(r.Shows);
        for (int s; expected >> s;)
            shows.push_back(s);
        EXPECT_EQ(host.shows, shows);
        if (r.Tip) EXPECT_EQ(host.tip, std::wstring(L"Uplift Beacon, Count down: ") + r.Tip);
    }
}

TEST(SessionEvents, OnlyLockingAndSleepingEndTheShowingOnTheScreen) {
    using enum SessionEvent;
    for (const SessionEvent event :
         {Lock, Unlock, Disconnect, Connect, DisplayOff, DisplayOn, Suspend, Resume, ClockChange})
        EXPECT_EQ(EffectOf(event).EndsShowing, event == Lock || event == Disconnect || event == Suspend)
            << static_cast<int>(event);
}

} // namespace
} // namespace uplift

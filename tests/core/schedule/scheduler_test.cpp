#include "schedule/scheduler.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace uplift {
namespace {

// ---------------------------------------------------------------------------------------------
// The pure helpers

struct SplitCase {
    std::int32_t Remaining;
    CountDownFields Expected;
};

constexpr std::array kSplitCases{
    SplitCase{0, {0, 0, 0, 0}},
    SplitCase{3725, {0, 1, 2, 5}},
    SplitCase{90061, {1, 1, 1, 1}},
    SplitCase{86400, {1, 0, 0, 0}},
    SplitCase{-1, {0, 0, 0, -1}},
    SplitCase{-3725, {0, -1, -2, -5}},
    SplitCase{-86400, {-1, 0, 0, 0}},
    SplitCase{2147483647, {24855, 3, 14, 7}},
    SplitCase{-2147483647 - 1, {-24855, -3, -14, -8}},
};

TEST(SplitRemaining, TruncatesTowardZero) {
    for (const auto& c : kSplitCases) {
        const auto f = SplitRemaining(c.Remaining);
        EXPECT_TRUE(f == c.Expected) << "remaining " << c.Remaining << " gave " << f.Days << "d " << f.Hours
                                     << "h " << f.Minutes << "m " << f.Seconds << "s";
    }
}

struct TipCase {
    std::int32_t Remaining;
    const wchar_t* Expected;
};

constexpr std::array kTipCases{
    TipCase{3725, L"Uplift Beacon, Count down: 01:02:05"},
    TipCase{90061, L"Uplift Beacon, Count down: 1 day, 01:01:01"},
    TipCase{2 * 86400 + 13 * 3600 + 14 * 60 + 15, L"Uplift Beacon, Count down: 2 days, 13:14:15"},
    TipCase{0, L"Uplift Beacon, Count down: 00:00:00"},
    TipCase{9, L"Uplift Beacon, Count down: 00:00:09"},
    TipCase{10, L"Uplift Beacon, Count down: 00:00:10"},
    TipCase{86399, L"Uplift Beacon, Count down: 23:59:59"},
    TipCase{86400, L"Uplift Beacon, Count down: 1 day, 00:00:00"},
    TipCase{-5, L"Uplift Beacon, Count down: 00:00:00"},
    TipCase{-3725, L"Uplift Beacon, Count down: 00:00:00"},
    TipCase{-2 * 86400 - 1, L"Uplift Beacon, Count down: 00:00:00"},
};

TEST(CountDownTip, WritesDaysAndTwoDigitFields) {
    for (const auto& c : kTipCases)
        EXPECT_EQ(CountDownTip(c.Remaining), c.Expected) << "remaining " << c.Remaining;
}

TEST(DestinationTip, HasTwoBlanksBeforeDestination) {
    EXPECT_EQ(DestinationTip(L"12/6/2026 10:00:00 AM"),
              L"Uplift Beacon,  destination was 12/6/2026 10:00:00 AM");
    EXPECT_EQ(DestinationTip(L""), L"Uplift Beacon,  destination was ");
}

struct RoundCase {
    double Value;
    std::int32_t Expected;
};

constexpr std::array kRoundCases{
    RoundCase{0.0, 0},
    RoundCase{0.5, 0},
    RoundCase{1.5, 2},
    RoundCase{2.5, 2},
    RoundCase{3.5, 4},
    RoundCase{-0.5, 0},
    RoundCase{-1.5, -2},
    RoundCase{-2.5, -2},
    RoundCase{1.4, 1},
    RoundCase{1.6, 2},
    RoundCase{-1.4, -1},
    RoundCase{-1.6, -2},
    RoundCase{0.4999, 0},
    RoundCase{59.5, 60},
    RoundCase{60.5, 60},
    RoundCase{1e12, 2147483647},
    RoundCase{-1e12, -2147483647 - 1},
};

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
    for (const auto& c : kRoundCases)
        EXPECT_EQ(RoundHalfEven(c.Value), c.Expected) << "value " << c.Value;
}

// ---------------------------------------------------------------------------------------------
// The scheduler, tick by tick

// Records what the scheduler asks of the main form, in order.
class FakeHost final : public SchedulerHost {
public:
    bool OptionsVisible() const override { return optionsVisible; }
    bool Closing() const override { return closing; }
    bool Enabled() const override { return enabled; }
    bool PopupMenuVisible() const override { return popupVisible; }
    void HideOptions() override {
        optionsVisible = false;
        events.push_back(L"hide");
    }
    void StartTimer() override {
        timerRunning = true;
        events.push_back(L"start");
    }
    void StopTimer() override {
        timerRunning = false;
        events.push_back(L"stop");
    }
    void SetToolTipText(std::wstring text) override {
        tip = text;
        events.push_back(L"tip " + text);
    }
    void RefreshTray() override {
        events.push_back(L"refresh");
        if (onRefresh) onRefresh();
    }
    void ShowAffirmation() override {
        events.push_back(L"show");
        ++showings;
        // Like the display, keep the timer stopped while the affirmation is up.
        timerRunning = false;
        if (onShow) onShow();
        timerRunning = true;
    }

    bool optionsVisible = true;
    bool closing = false;
    bool enabled = true;
    bool popupVisible = false;
    bool timerRunning = false;
    int showings = 0;
    std::wstring tip;
    std::vector<std::wstring> events;
    std::function<void()> onShow;
    std::function<void()> onRefresh;
};

DateTime At(int year, int month, int day, int hour, int minute, int second) {
    return FromCivil({year, month, day, hour, minute, second, 0});
}

DateTime TimeOfDay(int hour, int minute) {
    return FromCivil({1899, 12, 30, hour, minute, 0, 0});
}

std::string Describe(const CivilDateTime& t) {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.Year, t.Month, t.Day, t.Hour,
                  t.Minute, t.Second, t.Millisecond);
    return text;
}

std::string Narrow(const std::wstring& text) {
    return {text.begin(), text.end()};
}

class SchedulerTest : public ::testing::Test {
protected:
    // The OK action as the scheduler sees it.
    void ApplyOk() {
        scheduler.CheckPassed();
        scheduler.StartSchedule();
    }

    // Moves the clock by one timer interval and lets the timer fire, as long as it runs.
    // Returns whether an affirmation came.
    bool Tick(long long intervalMs = 1000) {
        clock.AdvanceMilliseconds(intervalMs);
        if (!host.timerRunning) return false;
        const int before = host.showings;
        const std::string at = Describe(clock.Local());
        scheduler.tmrMessage_Timer();
        if (host.showings != before) showTimes.push_back(at);
        return host.showings != before;
    }

    // Ticks until the clock reads the given moment (inclusive) and returns the number of showings.
    int TickUntil(DateTime until, long long intervalMs = 1000) {
        const int before = host.showings;
        const auto last = ToWholeSeconds(until) * 1000;
        while (static_cast<long long>(std::llround(FromCivil(clock.Local()) * 86'400'000.0)) + intervalMs <=
               last)
            Tick(intervalMs);
        return host.showings - before;
    }

    SettingsRecord record;
    ManualClock clock{{2026, 12, 6, 12, 0, 0, 0}};
    EnUsRegionalFormats formats;
    FakeHost host;
    Scheduler scheduler{record, clock, formats, host};
    std::vector<std::string> showTimes;
};

TEST_F(SchedulerTest, StartScheduleHidesOptionsTakesThePauseAndStartsTheTimer) {
    clock.Set(CivilDateTime{2026, 12, 6, 8, 30, 15, 250});
    record.Pause = 15; // "10 minuets"
    scheduler.StartSchedule();
    EXPECT_EQ(host.events, (std::vector<std::wstring>{L"hide", L"start"}));
    EXPECT_FALSE(host.optionsVisible);
    EXPECT_EQ(scheduler.PauseSeconds, 600.0f);
    EXPECT_EQ(scheduler.PauseStart, 8 * 3600 + 30 * 60 + 15.25f);
}

TEST_F(SchedulerTest, StartScheduleFallsBackToOneMinuteForAnInvalidPause) {
    for (const int index : {-1, 21, 1000}) {
        record.Pause = index;
        scheduler.StartSchedule();
        EXPECT_EQ(scheduler.PauseSeconds, 60.0f) << "pause index " << index;
    }
}

struct PassedCase {
    const char* Name;
    WhenToDisplay When;
    std::optional<DateTime> Everyday;
    std::optional<DateTime> Date;
    bool Before;
    bool Expected;
};

TEST_F(SchedulerTest, CheckPassedFollowsTheChosenMode) {
    // The clock reads 12:00:30 on 6 Dec 2026.
    const std::array cases{
        PassedCase{"date a second ago", WhenToDisplay::Date, {}, At(2026, 12, 6, 12, 0, 29), false, true},
        PassedCase{"date this second", WhenToDisplay::Date, {}, At(2026, 12, 6, 12, 0, 30), true, false},
        PassedCase{"date ahead", WhenToDisplay::Date, {}, At(2026, 12, 7, 9, 0, 0), true, false},
        PassedCase{"empty date", WhenToDisplay::Date, {}, std::nullopt, false, true},
        PassedCase{"daily time earlier", WhenToDisplay::Everyday, TimeOfDay(11, 59), {}, false, true},
        PassedCase{"daily time this minute", WhenToDisplay::Everyday, TimeOfDay(12, 0), {}, false, true},
        PassedCase{"daily time later", WhenToDisplay::Everyday, TimeOfDay(12, 1), {}, true, false},
        PassedCase{"empty daily time", WhenToDisplay::Everyday, std::nullopt, {}, false, true},
        PassedCase{"pause keeps true", WhenToDisplay::Pause, {}, {}, true, true},
        PassedCase{"pause keeps false", WhenToDisplay::Pause, {}, {}, false, false},
    };
    clock.Set(CivilDateTime{2026, 12, 6, 12, 0, 30, 0});
    for (const auto& c : cases) {
        record.When = c.When;
        record.Everyday = c.Everyday;
        record.Date = c.Date;
        scheduler.Passed = c.Before;
        scheduler.CheckPassed();
        EXPECT_EQ(scheduler.Passed, c.Expected) << c.Name;
    }
}

TEST_F(SchedulerTest, CheckPassedAtExactlyTheDailyTimeLeavesItDue) {
    clock.Set(CivilDateTime{2026, 12, 6, 12, 0, 0, 0});
    record.When = WhenToDisplay::Everyday;
    record.Everyday = TimeOfDay(12, 0);
    scheduler.Passed = true;
    scheduler.CheckPassed();
    EXPECT_FALSE(scheduler.Passed);
}

// --- Pause mode

TEST_F(SchedulerTest, DefaultPauseShowsAMinuteAfterStartAndAMinuteAfterEachShowing) {
    // The display stays up five seconds.
    host.onShow = [&] { clock.AdvanceSeconds(5); };
    ApplyOk();
    std::vector<std::wstring> tips;
    for (int second = 1; second <= 59; ++second) {
        ASSERT_FALSE(Tick()) << "showing after " << second << " s";
        tips.push_back(host.tip);
    }
    EXPECT_EQ(tips.front(), L"Uplift Beacon, Count down: 00:00:59");
    EXPECT_EQ(tips.back(), L"Uplift Beacon, Count down: 00:00:01");
    EXPECT_TRUE(Tick()) << "no showing at 60 s";
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:00:00");
    EXPECT_TRUE(scheduler.Passed);
    EXPECT_EQ(scheduler.PauseStart, 12 * 3600 + 65.0f) << "pause counts from when the display returned";

    EXPECT_EQ(TickUntil(At(2026, 12, 6, 12, 3, 10)), 2);
    EXPECT_EQ(showTimes, (std::vector<std::string>{"2026-12-06 12:01:00.000", "2026-12-06 12:02:05.000",
                                                   "2026-12-06 12:03:10.000"}));
}

TEST_F(SchedulerTest, PauseRoundsHalfASecondEarly) {
    clock.Set(CivilDateTime{2026, 12, 6, 12, 0, 0, 500});
    ApplyOk();
    clock.Set(CivilDateTime{2026, 12, 6, 12, 0, 0, 0});
    EXPECT_EQ(TickUntil(At(2026, 12, 6, 12, 0, 59)), 0);
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:00:02") << "1.5 s rounds to 2";
    EXPECT_TRUE(Tick()) << "0.5 s left rounds to 0";
}

TEST_F(SchedulerTest, PauseOfOneSecondShowsAtEveryTick) {
    record.Pause = 0; // "1 second"
    ApplyOk();
    for (int tick = 1; tick <= 20; ++tick)
        EXPECT_TRUE(Tick()) << "tick " << tick;
    EXPECT_EQ(host.showings, 20);
}

TEST_F(SchedulerTest, PauseAcrossMidnightEndsWhenThePauseDoes) {
    clock.Set(CivilDateTime{2026, 12, 6, 23, 55, 0, 0});
    record.Pause = 15; // "10 minuets"
    ApplyOk();
    EXPECT_EQ(TickUntil(At(2026, 12, 6, 23, 59, 59)), 0);
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:05:01");
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:05:00") << "at midnight";
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:04:59") << "just after midnight";
    EXPECT_EQ(TickUntil(At(2026, 12, 7, 0, 4, 59)), 0);
    EXPECT_TRUE(Tick()) << "the pause ends at 00:05:00";
    EXPECT_EQ(showTimes, std::vector<std::string>{"2026-12-07 00:05:00.000"});
}

TEST_F(SchedulerTest, PauseAcrossMidnightWithDriftingTicksShowsOnce) {
    // No tick falls on a whole second here; the showing must still come as the pause ends.
    for (const long long interval : {1000LL, 1007LL, 1016LL}) {
        FakeHost freshHost;
        Scheduler s{record, clock, formats, freshHost};
        clock.Set(CivilDateTime{2026, 12, 6, 23, 55, 0, 300});
        record.Pause = 15;
        s.CheckPassed();
        s.StartSchedule();
        std::string shownAt;
        while (clock.Local().Day == 6 || clock.Local().Minute < 10) {
            clock.AdvanceMilliseconds(interval);
            const int before = freshHost.showings;
            s.tmrMessage_Timer();
            if (freshHost.showings != before) shownAt = Describe(clock.Local());
        }
        EXPECT_EQ(freshHost.showings, 1) << "interval " << interval << " ms";
        EXPECT_GE(shownAt, "2026-12-07 00:04:59.800") << "interval " << interval << " ms";
        EXPECT_LE(shownAt, "2026-12-07 00:05:00.816") << "interval " << interval << " ms";
    }
}

// --- Every-day mode

TEST_F(SchedulerTest, EverydayCountsDownShowsOnceAndStartsTheNextDay) {
    clock.Set(CivilDateTime{2026, 12, 6, 9, 59, 58, 0});
    record.When = WhenToDisplay::Everyday;
    record.Everyday = TimeOfDay(10, 0);
    ApplyOk();
    clock.Set(CivilDateTime{2026, 12, 6, 9, 59, 57, 0});
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:00:02");
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:00:01");
    EXPECT_TRUE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 1 day, 00:00:00");
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 23:59:59");
    EXPECT_EQ(TickUntil(At(2026, 12, 6, 10, 1, 30)), 0) << "no second showing within the minute";
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 23:58:30");
}

TEST_F(SchedulerTest, EverydayTimeAlreadyPassedWaitsForTomorrow) {
    record.When = WhenToDisplay::Everyday;
    record.Everyday = TimeOfDay(9, 0);
    ApplyOk(); // 12:00:00
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 20:59:59");
    EXPECT_EQ(TickUntil(At(2026, 12, 7, 8, 59, 59)), 0);
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:00:01");
    EXPECT_TRUE(Tick());
    EXPECT_EQ(showTimes, std::vector<std::string>{"2026-12-07 09:00:00.000"});
}

TEST_F(SchedulerTest, EverydayAtMidnightShowsEachDay) {
    clock.Set(CivilDateTime{2026, 12, 6, 23, 59, 50, 0});
    record.When = WhenToDisplay::Everyday;
    record.Everyday = TimeOfDay(0, 0);
    ApplyOk();
    EXPECT_TRUE(scheduler.Passed) << "00:00 lies before any time of day";
    EXPECT_EQ(TickUntil(At(2026, 12, 8, 0, 0, 10)), 2);
    EXPECT_EQ(showTimes, (std::vector<std::string>{"2026-12-07 00:00:00.000", "2026-12-08 00:00:00.000"}));
}

TEST_F(SchedulerTest, EverydayEmptyTimeCountsAsMidnight) {
    clock.Set(CivilDateTime{2026, 12, 6, 23, 59, 58, 0});
    record.When = WhenToDisplay::Everyday;
    record.Everyday.reset();
    ApplyOk();
    EXPECT_EQ(TickUntil(At(2026, 12, 7, 0, 0, 5)), 1);
    EXPECT_EQ(showTimes, std::vector<std::string>{"2026-12-07 00:00:00.000"});
}

TEST_F(SchedulerTest, EverydaySkippedSecondStillShowsOnce) {
    clock.Set(CivilDateTime{2026, 12, 6, 9, 59, 58, 600});
    record.When = WhenToDisplay::Everyday;
    record.Everyday = TimeOfDay(10, 0);
    ApplyOk();
    EXPECT_FALSE(Tick(1000)); // 09:59:59.6
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:00:01");
    EXPECT_TRUE(Tick(1400)) << "10:00:01.0, the exact second was skipped";
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 23:59:59");
    EXPECT_EQ(TickUntil(At(2026, 12, 6, 10, 2, 0)), 0);
    EXPECT_EQ(host.showings, 1);
}

TEST_F(SchedulerTest, EverydayWithDriftingTicksShowsOncePerDay) {
    for (const long long interval : {1000LL, 1003LL, 1016LL}) {
        FakeHost freshHost;
        Scheduler s{record, clock, formats, freshHost};
        clock.Set(CivilDateTime{2026, 12, 6, 9, 0, 0, 0});
        record.When = WhenToDisplay::Everyday;
        record.Everyday = TimeOfDay(10, 0);
        s.CheckPassed();
        s.StartSchedule();
        std::vector<int> daysShown;
        while (clock.Local().Day < 8 || clock.Local().Hour < 11) {
            clock.AdvanceMilliseconds(interval);
            const int before = freshHost.showings;
            s.tmrMessage_Timer();
            if (freshHost.showings != before) {
                daysShown.push_back(clock.Local().Day);
                EXPECT_EQ(clock.Local().Hour, 10) << "interval " << interval << " ms";
                EXPECT_EQ(clock.Local().Minute, 0) << "interval " << interval << " ms";
            }
        }
        EXPECT_EQ(daysShown, (std::vector<int>{6, 7, 8})) << "interval " << interval << " ms";
    }
}

// --- Single-date mode

TEST_F(SchedulerTest, DateOneMinuteAheadCountsDownShowsOnceAndFinishes) {
    record.When = WhenToDisplay::Date;
    record.Date = At(2026, 12, 6, 12, 1, 0);
    ApplyOk();
    EXPECT_FALSE(scheduler.Passed);
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:00:59");
    EXPECT_EQ(TickUntil(At(2026, 12, 6, 12, 0, 59)), 0);
    EXPECT_TRUE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:00:00");
    host.events.clear();
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.events,
              (std::vector<std::wstring>{
                  L"stop", L"tip Uplift Beacon,  destination was 12/6/2026 12:01:00 PM", L"refresh"}));
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(TickUntil(At(2026, 12, 7, 12, 0, 0)), 0);
    EXPECT_EQ(host.showings, 1);
}

TEST_F(SchedulerTest, DateInThePastFinishesAtTheFirstTickWithoutShowing) {
    record.When = WhenToDisplay::Date;
    record.Date = At(2026, 12, 6, 10, 0, 0);
    ApplyOk();
    EXPECT_TRUE(scheduler.Passed);
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon,  destination was 12/6/2026 10:00:00 AM");
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(host.showings, 0);
}

TEST_F(SchedulerTest, DateJustPassedUnseenStillShows) {
    // Without CheckPassed (the Cancel path) a moment that slipped by is shown late, once.
    record.When = WhenToDisplay::Date;
    record.Date = At(2026, 12, 6, 11, 59, 58);
    scheduler.Passed = false;
    scheduler.StartSchedule();
    EXPECT_TRUE(Tick());
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 00:00:00");
    EXPECT_FALSE(Tick());
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(host.tip, L"Uplift Beacon,  destination was 12/6/2026 11:59:58 AM");
}

TEST_F(SchedulerTest, DateThreeDaysAheadShowsOnlyOnTheDay) {
    record.When = WhenToDisplay::Date;
    record.Date = At(2026, 12, 9, 10, 0, 0);
    clock.Set(CivilDateTime{2026, 12, 6, 9, 59, 50, 0});
    ApplyOk();
    for (int day = 6; day <= 8; ++day) {
        clock.Set(CivilDateTime{2026, 12, day, 9, 59, 55, 0});
        EXPECT_EQ(TickUntil(At(2026, 12, day, 10, 0, 5)), 0) << "day " << day;
    }
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 23:59:55");
    clock.Set(CivilDateTime{2026, 12, 6, 10, 0, 0, 0});
    scheduler.tmrMessage_Timer();
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 3 days, 00:00:00");
    EXPECT_EQ(host.showings, 0);

    clock.Set(CivilDateTime{2026, 12, 9, 9, 59, 55, 0});
    EXPECT_EQ(TickUntil(At(2026, 12, 9, 10, 0, 5)), 1);
    EXPECT_EQ(showTimes, std::vector<std::string>{"2026-12-09 10:00:00.000"});
    EXPECT_FALSE(host.timerRunning);
}

struct FarDateCase {
    const char* Name;
    std::optional<DateTime> Date;
    const wchar_t* Tip;
};

TEST_F(SchedulerTest, DateOutOfReachFinishesWithoutShowing) {
    const std::array cases{
        FarDateCase{"70 years ahead", At(2096, 12, 6, 12, 0, 0),
                    L"Uplift Beacon,  destination was 12/6/2096 12:00:00 PM"},
        FarDateCase{"70 years behind", At(1956, 12, 6, 12, 0, 0),
                    L"Uplift Beacon,  destination was 12/6/1956 12:00:00 PM"},
        FarDateCase{"empty date", std::nullopt, L"Uplift Beacon,  destination was "},
    };
    record.When = WhenToDisplay::Date;
    for (const auto& c : cases) {
        record.Date = c.Date;
        for (const bool passed : {false, true}) {
            host = FakeHost{};
            scheduler.Passed = passed;
            scheduler.StartSchedule();
            Tick();
            EXPECT_EQ(host.tip, c.Tip) << c.Name << ", passed " << passed;
            EXPECT_FALSE(host.timerRunning) << c.Name << ", passed " << passed;
            EXPECT_EQ(host.showings, 0) << c.Name << ", passed " << passed;
        }
    }
}

TEST_F(SchedulerTest, DateJustWithinReachCountsDown) {
    record.When = WhenToDisplay::Date;
    record.Date = FromWholeSeconds(ToWholeSeconds(clock.Now()) + 1 + 2147483647LL);
    ApplyOk();
    EXPECT_FALSE(Tick());
    EXPECT_TRUE(host.timerRunning);
    EXPECT_EQ(host.tip, L"Uplift Beacon, Count down: 24855 days, 03:14:07");
}

// --- Stopping and the tip refresh

struct StopCase {
    const char* Name;
    bool OptionsVisible;
    bool Closing;
    bool Enabled;
};

TEST_F(SchedulerTest, StopsAfterRefreshingTheTipWhenOptionsClosingOrDisabled) {
    const std::array cases{
        StopCase{"options visible", true, false, true},
        StopCase{"closing", false, true, true},
        StopCase{"disabled", false, false, false},
    };
    record.Pause = 0; // a showing would be due at every tick
    for (const auto& c : cases) {
        host = FakeHost{};
        scheduler.StartSchedule();
        host.events.clear();
        host.optionsVisible = c.OptionsVisible;
        host.closing = c.Closing;
        host.enabled = c.Enabled;
        EXPECT_FALSE(Tick()) << c.Name;
        EXPECT_EQ(host.events, (std::vector<std::wstring>{L"tip Uplift Beacon, Count down: 00:00:00",
                                                          L"refresh", L"stop"}))
            << c.Name;
        EXPECT_FALSE(host.timerRunning) << c.Name;
    }
}

TEST_F(SchedulerTest, OptionsOpenedDuringTheRefreshStopTheSameTick) {
    record.Pause = 0;
    ApplyOk();
    host.onRefresh = [&] { host.optionsVisible = true; };
    EXPECT_FALSE(Tick());
    EXPECT_FALSE(host.timerRunning);
    EXPECT_EQ(host.showings, 0);
}

TEST_F(SchedulerTest, OpenMenuGetsTheTipWithoutARefresh) {
    ApplyOk();
    host.popupVisible = true;
    host.events.clear();
    Tick();
    EXPECT_EQ(host.events, std::vector<std::wstring>{L"tip Uplift Beacon, Count down: 00:00:59"});

    record.When = WhenToDisplay::Date;
    record.Date = At(2026, 12, 6, 10, 0, 0);
    scheduler.Passed = true;
    host.events.clear();
    Tick();
    EXPECT_EQ(host.events, (std::vector<std::wstring>{
                               L"stop", L"tip Uplift Beacon,  destination was 12/6/2026 10:00:00 AM"}));
}

TEST_F(SchedulerTest, ShowingComesAfterTheTipAndRestartsThePause) {
    record.Pause = 0;
    ApplyOk();
    host.events.clear();
    host.onShow = [&] { clock.AdvanceMilliseconds(250); };
    EXPECT_TRUE(Tick());
    EXPECT_EQ(host.events,
              (std::vector<std::wstring>{L"tip Uplift Beacon, Count down: 00:00:00", L"refresh", L"show"}));
    EXPECT_EQ(scheduler.PauseStart, 12 * 3600 + 1.25f);
    EXPECT_TRUE(scheduler.Passed);
}

} // namespace
} // namespace uplift

#include "schedule/scheduler.h"

#include "en_us_regional_formats.h"
#include "manual_clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

namespace uplift {
namespace {

using Events = std::vector<std::wstring>;
using Times = std::vector<std::string>;
constexpr std::int32_t kMax = 2147483647, kMin = -kMax - 1;

// The two tips with their exact beginnings.
std::wstring Down(const wchar_t* rest) {
    return L"Uplift Beacon, Count down: " + std::wstring(rest);
}
std::wstring Dest(const wchar_t* rest) {
    return L"Uplift Beacon,  destination was " + std::wstring(rest);
}

TEST(SchedulerTexts, CountDownTipWritesDaysAndTwoDigitFields) {
    // Fields split toward zero; negative ones (a date just passed unseen) are written 00.
    const std::pair<std::int32_t, const wchar_t*> cases[]{
        {3725, L"01:02:05"}, {90061, L"1 day, 01:01:01"}, {220455, L"2 days, 13:14:15"},
        {9, L"00:00:09"},    {10, L"00:00:10"},           {86399, L"23:59:59"},
        {-5, L"00:00:00"},   {-172801, L"00:00:00"}};
    for (const auto& [remaining, tip] : cases)
        EXPECT_EQ(CountDownTip(remaining), Down(tip)) << "remaining " << remaining;
}

// Records what the scheduler asks of the main form, in order.
class FakeHost final : public SchedulerHost {
public:
    bool OptionsVisible() const override { return optionsVisible; }
    bool Closing() const override { return closing; }
    bool Enabled() const override { return enabled; }
    bool PopupMenuVisible() const override { return popupVisible; }
    void HideOptions() override { optionsVisible = false, events.push_back(L"hide"); }
    void StartTimer() override { timerRunning = true, events.push_back(L"start"); }
    void StopTimer() override { timerRunning = false, events.push_back(L"stop"); }
    void SetToolTipText(std::wstring text) override { tip = text, events.push_back(L"tip " + text); }
    void RefreshTray() override {
        events.push_back(L"refresh");
        if (onRefresh) onRefresh();
    }
    void ShowAffirmation() override {
        events.push_back(L"show");
        ++showings;
        if (onShow) onShow();
    }

    bool optionsVisible = true, closing = false, enabled = true, popupVisible = false, timerRunning = false;
    int showings = 0;
    std::wstring tip;
    Events events;
    std::function<void()> onShow, onRefresh;
};

DateTime At(int year, int month, int day, int hour, int minute, int second) {
    return FromCivil({year, month, day, hour, minute, second, 0});
}

class SchedulerTest : public ::testing::Test {
protected:
    // The OK action as the scheduler sees it.
    void ApplyOk() {
        scheduler->CheckPassed();
        scheduler->StartSchedule();
    }
    // A scheduler as the program starts it, which has seen no showing yet.
    void Restart() { scheduler = std::make_unique<Scheduler>(record, clock, formats, host); }

    // One timer interval passes and the timer fires, while it runs. Returns whether an affirmation came.
    bool Tick(long long intervalMs = 1000) {
        clock.AdvanceMilliseconds(intervalMs);
        if (!host.timerRunning) return false;
        const int before = host.showings;
        const CivilDateTime t = clock.Local();
        scheduler->tmrMessage_Timer();
        if (host.showings == before) return false;
        char text[32];
        std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", t.Year, t.Month, t.Day, t.Hour,
                      t.Minute, t.Second, t.Millisecond);
        showTimes.push_back(text);
        return true;
    }

    // Ticks while the clock stays at or before `until`; returns the number of showings.
    int TickUntil(DateTime until, long long intervalMs = 1000) {
        const int before = host.showings;
        while (std::llround(FromCivil(clock.Local()) * 86'400'000.0) + intervalMs <=
               ToWholeSeconds(until) * 1000)
            Tick(intervalMs);
        return host.showings - before;
    }

    SettingsRecord record;
    ManualClock clock{{2026, 12, 6, 12, 0, 0, 0}};
    EnUsRegionalFormats formats;
    FakeHost host;
    std::unique_ptr<Scheduler> scheduler = std::make_unique<Scheduler>(record, clock, formats, host);
    Times showTimes;
};

TEST_F(SchedulerTest, StartScheduleHidesTheOptionsAndCountsThePauseFromNow) {
    clock.Set({2026, 12, 6, 8, 30, 15, 250});
    // 60 s, the "1 minuet" entry, stands in for an index outside the list.
    for (const auto [index, tip] :
         {std::pair{15, L"00:09:59"}, {0, L"00:00:00"}, {-1, L"00:00:59"}, {21, L"00:00:59"}}) {
        host.events.clear();
        record.Pause = index;
        scheduler->StartSchedule();
        EXPECT_EQ(host.events, (Events{L"hide", L"start"})) << "pause index " << index;
        Tick();
        EXPECT_EQ(host.tip, Down(tip)) << "pause index " << index;
    }
}

// OK first decides whether the chosen moment has been dealt with; Cancel leaves that as it was.
TEST_F(SchedulerTest, FirstTickAfterOkOrCancelShowsFinishesOrCountsDown) {
    struct Case {
        const char* Name;
        WhenToDisplay When;
        std::optional<DateTime> Everyday, Date;
        int Second; // the clock reads 12:00:<Second> on 6 Dec 2026, one second before the tick
        bool Ok, Shows, Running;
        std::wstring Tip;
    };
    using enum WhenToDisplay;
    const DateTime tick = At(2026, 12, 6, 12, 0, 31);
    const Case cases[]{
        {"OK a second after the date",
         Date,
         {},
         At(2026, 12, 6, 12, 0, 29),
         30,
         true,
         false,
         false,
         Dest(L"12/6/2026 12:00:29 PM")},
        {"OK at the date's second",
         Date,
         {},
         At(2026, 12, 6, 12, 0, 30),
         30,
         true,
         true,
         true,
         Down(L"00:00:00")},
        {"Cancel after the date",
         Date,
         {},
         At(2026, 12, 6, 11, 59, 58),
         30,
         false,
         true,
         true,
         Down(L"00:00:00")},
        {"70 years ahead",
         Date,
         {},
         At(2096, 12, 6, 12, 0, 0),
         30,
         true,
         false,
         false,
         Dest(L"12/6/2096 12:00:00 PM")},
        {"70 years behind",
         Date,
         {},
         At(1956, 12, 6, 12, 0, 0),
         30,
         false,
         false,
         false,
         Dest(L"12/6/1956 12:00:00 PM")},
        {"no date", Date, {}, std::nullopt, 30, false, false, false, Dest(L"")},
        {"the most the count-down holds",
         Date,
         {},
         FromWholeSeconds(ToWholeSeconds(tick) + kMax),
         30,
         false,
         false,
         true,
         Down(L"24855 days, 03:14:07")},
        {"OK within the daily minute",
         Everyday,
         TimeSerial(12, 0, 0),
         {},
         30,
         true,
         false,
         true,
         Down(L"23:59:29")},
        {"OK at the daily second",
         Everyday,
         TimeSerial(12, 0, 0),
         {},
         0,
         true,
         true,
         true,
         Down(L"23:59:59")},
    };
    for (const auto& c : cases) {
        clock.Set({2026, 12, 6, 12, 0, c.Second, 0});
        record.When = c.When;
        record.Everyday = c.Everyday;
        record.Date = c.Date;
        host = FakeHost{};
        Restart();
        if (c.Ok)
            ApplyOk();
        else
            scheduler->StartSchedule();
        EXPECT_EQ(Tick(), c.Shows) << c.Name;
        EXPECT_EQ(host.tip, c.Tip) << c.Name;
        EXPECT_EQ(host.timerRunning, c.Running) << c.Name;
    }
}

TEST_F(SchedulerTest, PauseShowsAsItEndsAndTheNextCountsFromWhenTheDisplayReturned) {
    host.onShow = [&] { clock.AdvanceMilliseconds(5000); }; // the display stays up five seconds
    ApplyOk();                                              // "1 minuet" from 12:00:00
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, Down(L"00:00:59"));
    EXPECT_EQ(TickUntil(At(2026, 12, 6, 12, 0, 59)), 0);
    EXPECT_EQ(host.tip, Down(L"00:00:01"));
    host.events.clear();
    EXPECT_TRUE(Tick());
    EXPECT_EQ(host.events, (Events{L"tip " + Down(L"00:00:00"), L"refresh", L"show"}));
    EXPECT_EQ(TickUntil(At(2026, 12, 6, 12, 3, 10)), 2);
    EXPECT_EQ(showTimes,
              (Times{"2026-12-06 12:01:00.000", "2026-12-06 12:02:05.000", "2026-12-06 12:03:10.000"}));
}

TEST_F(SchedulerTest, PauseRoundsHalfASecondToEven) {
    clock.Set({2026, 12, 6, 12, 0, 0, 500});
    ApplyOk();
    clock.Set({2026, 12, 6, 12, 0, 0, 0});
    EXPECT_EQ(TickUntil(At(2026, 12, 6, 12, 0, 59)), 0);
    EXPECT_EQ(host.tip, Down(L"00:00:02")) << "1.5 s rounds to 2";
    EXPECT_TRUE(Tick()) << "0.5 s left rounds to 0";
}

TEST_F(SchedulerTest, PauseAcrossMidnightEndsWhenThePauseDoes) {
    record.Pause = 15;                                          // "10 minuets"
    for (const long long interval : {1000LL, 1007LL, 1016LL}) { // ticks that drift off the whole second
        clock.Set({2026, 12, 6, 23, 55, 0, 300});
        showTimes.clear();
        ApplyOk();
        TickUntil(At(2026, 12, 7, 0, 10, 0), interval);
        ASSERT_EQ(showTimes.size(), 1u) << "interval " << interval << " ms";
        EXPECT_GE(showTimes[0], "2026-12-07 00:04:59.800") << "interval " << interval << " ms";
        EXPECT_LE(showTimes[0], "2026-12-07 00:05:00.816") << "interval " << interval << " ms";
    }
}

TEST_F(SchedulerTest, EverydayCountsDownShowsOnceAndStartsTheNextDay) {
    clock.Set({2026, 12, 6, 9, 59, 57, 0});
    record.When = WhenToDisplay::Everyday;
    record.Everyday = TimeSerial(10, 0, 0);
    ApplyOk();
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, Down(L"00:00:02"));
    EXPECT_FALSE(Tick());
    EXPECT_TRUE(Tick());
    EXPECT_EQ(host.tip, Down(L"1 day, 00:00:00"));
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, Down(L"23:59:59"));
    EXPECT_EQ(TickUntil(At(2026, 12, 6, 10, 1, 30)), 0) << "no second showing within the minute";
    EXPECT_EQ(host.tip, Down(L"23:58:30"));
}

// Ticks drift and can skip the chosen second (every 2 s from an odd second never sees 10:00:00).
TEST_F(SchedulerTest, EverydayWithDriftingTicksShowsOncePerDayWithinTheChosenMinute) {
    record.When = WhenToDisplay::Everyday;
    record.Everyday = TimeSerial(10, 0, 0);
    for (const long long interval : {1000LL, 1003LL, 1016LL, 2000LL}) {
        clock.Set({2026, 12, 6, 9, 0, 1, 0});
        showTimes.clear();
        ApplyOk();
        TickUntil(At(2026, 12, 8, 11, 0, 0), interval);
        ASSERT_EQ(showTimes.size(), 3u) << "interval " << interval << " ms";
        for (int day = 0; day < 3; ++day)
            EXPECT_EQ(showTimes[day].substr(0, 16), "2026-12-0" + std::to_string(6 + day) + " 10:00")
                << "interval " << interval << " ms";
    }
}

TEST_F(SchedulerTest, EverydayAtMidnightOrWithoutATimeShowsEveryMidnight) {
    record.When = WhenToDisplay::Everyday;
    for (const auto everyday : {std::optional<DateTime>(0.0), std::optional<DateTime>()}) {
        clock.Set({2026, 12, 6, 23, 59, 50, 0});
        showTimes.clear();
        record.Everyday = everyday;
        ApplyOk();
        EXPECT_EQ(TickUntil(At(2026, 12, 8, 0, 0, 10)), 2) << (everyday ? "00:00" : "no time");
        EXPECT_EQ(showTimes, (Times{"2026-12-07 00:00:00.000", "2026-12-08 00:00:00.000"}));
    }
}

TEST_F(SchedulerTest, DateOneMinuteAheadCountsDownShowsOnceAndFinishes) {
    record.When = WhenToDisplay::Date;
    record.Date = At(2026, 12, 6, 12, 1, 0);
    ApplyOk();
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.tip, Down(L"00:00:59"));
    EXPECT_EQ(TickUntil(At(2026, 12, 6, 12, 0, 59)), 0);
    EXPECT_TRUE(Tick());
    host.events.clear();
    EXPECT_FALSE(Tick());
    EXPECT_EQ(host.events, (Events{L"stop", L"tip " + Dest(L"12/6/2026 12:01:00 PM"), L"refresh"}));
    EXPECT_EQ(TickUntil(At(2026, 12, 7, 12, 0, 0)), 0);
}

TEST_F(SchedulerTest, DateThreeDaysAheadShowsOnlyOnTheDay) {
    record.When = WhenToDisplay::Date;
    record.Date = At(2026, 12, 9, 10, 0, 0);
    clock.Set({2026, 12, 6, 9, 59, 50, 0});
    ApplyOk();
    for (int day = 6; day <= 8; ++day) {
        clock.Set({2026, 12, day, 9, 59, 55, 0});
        EXPECT_EQ(TickUntil(At(2026, 12, day, 10, 0, 5)), 0) << "day " << day;
    }
    clock.Set({2026, 12, 6, 9, 59, 59, 0});
    Tick();
    EXPECT_EQ(host.tip, Down(L"3 days, 00:00:00"));
    clock.Set({2026, 12, 9, 9, 59, 55, 0});
    EXPECT_EQ(TickUntil(At(2026, 12, 9, 10, 0, 5)), 1);
    EXPECT_EQ(showTimes, Times{"2026-12-09 10:00:00.000"});
    EXPECT_FALSE(host.timerRunning);
}

TEST_F(SchedulerTest, StopsAfterRefreshingTheTipWhenOptionsClosingOrDisabled) {
    struct Case {
        const char* Name;
        bool OptionsVisible, Closing, Enabled, OptionsOpenedByTheRefresh;
    };
    constexpr Case cases[]{{"options visible", true, false, true, false},
                           {"closing", false, true, true, false},
                           {"disabled", false, false, false, false},
                           {"options opened during the refresh", false, false, true, true}};
    record.Pause = 0; // a showing would be due at every tick
    for (const auto& c : cases) {
        host = FakeHost{};
        scheduler->StartSchedule();
        host.events.clear();
        host.optionsVisible = c.OptionsVisible, host.closing = c.Closing, host.enabled = c.Enabled;
        if (c.OptionsOpenedByTheRefresh) host.onRefresh = [&] { host.optionsVisible = true; };
        EXPECT_FALSE(Tick()) << c.Name;
        EXPECT_EQ(host.events, (Events{L"tip " + Down(L"00:00:00"), L"refresh", L"stop"})) << c.Name;
    }
}

TEST_F(SchedulerTest, OpenMenuGetsTheTipWithoutARefresh) {
    ApplyOk();
    host.popupVisible = true;
    host.events.clear();
    Tick();
    EXPECT_EQ(host.events, Events{L"tip " + Down(L"00:00:59")});

    record.When = WhenToDisplay::Date;
    record.Date = At(2026, 12, 6, 10, 0, 0);
    ApplyOk();
    host.events.clear();
    Tick();
    EXPECT_EQ(host.events, (Events{L"stop", L"tip " + Dest(L"12/6/2026 10:00:00 AM")}));
}

} // namespace
} // namespace uplift

#include "schedule/pause.h"

#include "test_doubles.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace uplift {
namespace {

// "yyyy-mm-dd hh:mm:ss" as seconds since 30 December 1899.
std::int64_t At(const char* text) {
    CivilDateTime c;
    std::sscanf(text, "%d-%d-%d %d:%d:%d", &c.Year, &c.Month, &c.Day, &c.Hour, &c.Minute, &c.Second);
    return ToWholeSeconds(FromCivil(c));
}

// Central European time: daylight saving from 29 March 2026 01:00 UTC to 25 October 2026 01:00 UTC.
DaylightSavingZone Berlin() {
    DaylightSavingZone zone;
    zone.DaylightStart = At("2026-03-29 01:00:00"), zone.DaylightEnd = At("2026-10-25 01:00:00");
    return zone;
}

struct EndCase {
    const char* Now; // UTC
    PauseChoice Choice;
    const char* End; // UTC
};
constexpr EndCase kEndCases[]{
    {"2026-12-06 10:00:00", PauseChoice::Minutes30, "2026-12-06 10:30:00"},
    {"2026-12-06 23:45:00", PauseChoice::Hour1, "2026-12-07 00:45:00"},
    {"2026-12-06 10:00:00", PauseChoice::Hours2, "2026-12-06 12:00:00"},
    {"2026-12-06 10:00:00", PauseChoice::UntilTomorrow, "2026-12-06 23:00:00"}, // 11:00 local
    {"2026-12-06 22:59:59", PauseChoice::UntilTomorrow, "2026-12-06 23:00:00"}, // a second before midnight
    {"2026-12-06 23:00:00", PauseChoice::UntilTomorrow, "2026-12-07 23:00:00"}, // at midnight: the next one
    {"2026-03-28 23:30:00", PauseChoice::UntilTomorrow, "2026-03-29 22:00:00"}, // a 23-hour day: 22.5 h
    {"2026-10-24 22:30:00", PauseChoice::UntilTomorrow, "2026-10-25 23:00:00"}, // a 25-hour day: 24.5 h
    {"2026-03-29 00:30:00", PauseChoice::Hour1, "2026-03-29 01:30:00"},         // across the switch: 60 min
};

TEST(Pause, EndsAfterItsTimeOrAtTheNextLocalMidnight) {
    const DaylightSavingZone zone = Berlin();
    for (const EndCase& r : kEndCases)
        EXPECT_EQ(PauseEnd(r.Choice, At(r.Now), zone), At(r.End)) << r.Now << " choice " << int(r.Choice);
}

struct StoredCase {
    const wchar_t* Stored; // null: no value
    const char* End;       // null: no pause
};
constexpr StoredCase kStoredCases[]{
    {L"2026-12-06T11:00:00Z", "2026-12-06 11:00:00"},
    {L"2026-12-08T10:00:00Z", "2026-12-08 10:00:00"}, // two days ahead, the most
    {L"2026-12-08T10:00:01Z", nullptr},
    {L"2026-12-06T10:00:00Z", nullptr}, // now: over
    {L"2025-12-06T11:00:00Z", nullptr},
    {nullptr, nullptr},
    {L"", nullptr},
    {L"2026-12-06 11:00:00Z", nullptr},
    {L"2026-12-06T11:00:00", nullptr},
    {L"2026-12-06T11:00:00Z ", nullptr},
    {L"2026-12-6T11:00:00Z", nullptr},
    {L"+026-12-06T11:00:00Z", nullptr},
    {L"2026-12-06T24:00:00Z", nullptr},
    {L"2026-12-06T11:60:00Z", nullptr},
    {L"2026-02-30T11:00:00Z", nullptr},
    {L"2026-13-06T11:00:00Z", nullptr},
    {L"yyyy-mm-ddThh:mm:ssZ", nullptr},
};

TEST(Pause, AStoredEndCountsOnlyWhenItIsReadableAndWithinTwoDays) {
    const std::int64_t now = At("2026-12-06 10:00:00");
    for (const StoredCase& r : kStoredCases) {
        const auto stored = r.Stored ? std::optional<std::wstring>(r.Stored) : std::nullopt;
        EXPECT_EQ(StoredPauseEnd(stored, now), r.End ? std::optional(At(r.End)) : std::nullopt)
            << (r.Stored ? testing::PrintToString(std::wstring(r.Stored)) : "no value");
        if (r.End) EXPECT_EQ(PauseEndText(At(r.End)), r.Stored);
    }
}

TEST(Pause, TheTipGivesTheEndsLocalTimeAndItsDateWhenNotToday) {
    const DaylightSavingZone zone = Berlin();
    const EnUsRegionalFormats formats;
    const std::int64_t now = At("2026-12-06 10:00:00"); // 11:00 local
    const std::pair<const char*, const wchar_t*> cases[]{
        {"2026-12-06 14:45:00", L"Uplift Beacon, paused until 3:45 PM"},
        {"2026-12-06 22:59:00", L"Uplift Beacon, paused until 11:59 PM"},
        {"2026-12-06 23:00:00", L"Uplift Beacon, paused until 12/7/2026 12:00 AM"},
    };
    for (const auto& [end, tip] : cases)
        EXPECT_EQ(PausedTip(At(end), now, zone, formats), tip);
}

} // namespace
} // namespace uplift

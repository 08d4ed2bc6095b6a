#include "schedule/pause.h"

#include "common/date_time.h"

#include <cwchar>

namespace uplift {
namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;

std::int64_t DayOf(std::int64_t seconds) {
    return seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
}

// The digits of text[at, at + count) as a number; -1 when any of them is not a digit.
int Digits(std::wstring_view text, std::size_t at, std::size_t count) {
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return -1;
        value = value * 10 + (text[i] - L'0');
    }
    return value;
}

} // namespace

std::int64_t PauseEnd(PauseChoice choice, std::int64_t nowUtc, const TimeZone& zone) {
    switch (choice) {
    case PauseChoice::Minutes30: return nowUtc + 30 * 60;
    case PauseChoice::Hour1: return nowUtc + 60 * 60;
    case PauseChoice::Hours2: return nowUtc + 2 * 60 * 60;
    case PauseChoice::UntilTomorrow: break;
    }
    return zone.ToUtc((DayOf(zone.ToLocal(nowUtc)) + 1) * kSecondsPerDay);
}

std::wstring PauseEndText(std::int64_t endUtc) {
    const CivilDateTime c = ToCivil(FromWholeSeconds(endUtc));
    wchar_t text[32];
    std::swprintf(text, 32, L"%04d-%02d-%02dT%02d:%02d:%02dZ", c.Year, c.Month, c.Day, c.Hour, c.Minute,
                  c.Second);
    return text;
}

std::optional<std::int64_t> ParsePauseEnd(std::wstring_view text) {
    constexpr std::wstring_view kShape = L"0000-00-00T00:00:00Z";
    if (text.size() != kShape.size()) return std::nullopt;
    for (std::size_t i = 0; i < kShape.size(); ++i)
        if (kShape[i] != L'0' && text[i] != kShape[i]) return std::nullopt;
    const CivilDateTime c{Digits(text, 0, 4),  Digits(text, 5, 2),  Digits(text, 8, 2),
                          Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2)};
    if (c.Year < 1900 || c.Month < 1 || c.Month > 12 || c.Day < 1 || c.Hour < 0 || c.Hour > 23 ||
        c.Minute < 0 || c.Minute > 59 || c.Second < 0 || c.Second > 59)
        return std::nullopt;
    const DateTime value = FromCivil(c);
    if (ToCivil(value) != c) return std::nullopt; // 31 April runs over into May
    return ToWholeSeconds(value);
}

std::optional<std::int64_t> StoredPauseEnd(const std::optional<std::wstring>& stored, std::int64_t nowUtc) {
    const auto end = stored ? ParsePauseEnd(*stored) : std::nullopt;
    if (!end || *end <= nowUtc || *end - nowUtc > kLongestPauseSeconds) return std::nullopt;
    return end;
}

std::wstring PausedTip(std::int64_t endUtc, std::int64_t nowUtc, const TimeZone& zone,
                       const RegionalFormats& formats) {
    const std::int64_t end = zone.ToLocal(endUtc);
    const DateTime value = FromWholeSeconds(end);
    std::wstring tip = L"Uplift Beacon, paused until ";
    if (DayOf(end) != DayOf(zone.ToLocal(nowUtc))) tip += formats.ShortDateText(value) + L" ";
    tip += formats.ShortTimeText(value);
    return tip;
}

} // namespace uplift

#pragma once
// The user's timed pause: when it ends for each choice of the icon's menu, its stored form, and the
// icon's tip while it runs. Moments are UTC seconds since 30 December 1899 (Clock::UtcSeconds), so that
// a daylight-saving change does not move the end.

#include "common/regional_formats.h"
#include "common/time_zone.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace uplift {

enum class PauseChoice { Minutes30, Hour1, Hours2, UntilTomorrow };

// The end of a pause chosen now; "until tomorrow" ends at the next local midnight.
std::int64_t PauseEnd(PauseChoice choice, std::int64_t nowUtc, const TimeZone& zone);

// "yyyy-mm-ddThh:mm:ssZ".
std::wstring PauseEndText(std::int64_t endUtc);
// Reads only what PauseEndText writes; a date that does not exist is no date.
std::optional<std::int64_t> ParsePauseEnd(std::wstring_view text);

// A pause reaches at most this far ahead; a stored end beyond it is damage, not a choice.
inline constexpr std::int64_t kLongestPauseSeconds = 2 * 86'400;
// The end of the pause that a stored value holds: none when it is absent, unreadable, past, or more
// than two days ahead.
std::optional<std::int64_t> StoredPauseEnd(const std::optional<std::wstring>& stored, std::int64_t nowUtc);

// "Uplift Beacon, paused until <short time>", with the short date before the time when the end is not
// today.
std::wstring PausedTip(std::int64_t endUtc, std::int64_t nowUtc, const TimeZone& zone,
                       const RegionalFormats& formats);

} // namespace uplift

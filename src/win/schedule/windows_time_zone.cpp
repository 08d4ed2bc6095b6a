#include "schedule/windows_time_zone.h"

#include "settings/system_time.h"

#include <windows.h>

namespace uplift::win {

namespace {

// A failed conversion keeps the moment as it was: an hour off is better than no answer.
template <typename Convert> std::int64_t Converted(std::int64_t seconds, Convert convert) {
    const auto in = ToSystemTime(FromWholeSeconds(seconds));
    SYSTEMTIME out{};
    if (!in || !convert(&*in, &out)) return seconds;
    return ToWholeSeconds(FromCivil({out.wYear, out.wMonth, out.wDay, out.wHour, out.wMinute, out.wSecond}));
}

} // namespace

std::int64_t WindowsTimeZone::ToLocal(std::int64_t utc) const {
    return Converted(utc, [](const SYSTEMTIME* in, SYSTEMTIME* out) {
        return ::SystemTimeToTzSpecificLocalTime(nullptr, in, out) != FALSE;
    });
}

std::int64_t WindowsTimeZone::ToUtc(std::int64_t local) const {
    return Converted(local, [](const SYSTEMTIME* in, SYSTEMTIME* out) {
        return ::TzSpecificLocalTimeToSystemTime(nullptr, in, out) != FALSE;
    });
}

} // namespace uplift::win

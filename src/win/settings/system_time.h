#pragma once
// Date-time values as the platform's SYSTEMTIME: whole seconds of the value's calendar date and
// time of day, milliseconds and day of week 0.

#include "common/date_time.h"

#include <windows.h>

#include <optional>

namespace uplift::win {

inline std::optional<SYSTEMTIME> ToSystemTime(DateTime value) {
    if (!IsValidDate(value)) return std::nullopt;
    const CivilDateTime c = ToCivil(value);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(c.Year);
    st.wMonth = static_cast<WORD>(c.Month);
    st.wDay = static_cast<WORD>(c.Day);
    st.wHour = static_cast<WORD>(c.Hour);
    st.wMinute = static_cast<WORD>(c.Minute);
    st.wSecond = static_cast<WORD>(c.Second);
    return st;
}

} // namespace uplift::win

#include "schedule/system_clock.h"

#include <windows.h>

namespace uplift::win {

namespace {
CivilDateTime LocalNow() {
    SYSTEMTIME st{};
    ::GetLocalTime(&st);
    return {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
}
} // namespace

float SystemClock::SecondsSinceMidnight() const {
    const CivilDateTime t = LocalNow();
    return static_cast<float>(t.Hour * 3600 + t.Minute * 60 + t.Second + t.Millisecond / 1000.0);
}

std::int64_t SystemClock::UtcSeconds() const {
    SYSTEMTIME st{};
    ::GetSystemTime(&st);
    return ToWholeSeconds(FromCivil({st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond}));
}

DateTime SystemClock::Now() const {
    CivilDateTime t = LocalNow();
    t.Millisecond = 0;
    return FromCivil(t);
}

} // namespace uplift::win

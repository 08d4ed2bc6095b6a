#include "app/session_watch.h"

#include <gtest/gtest.h>

#include <wtsapi32.h>

#include <cstring>

namespace uplift::win {
namespace {

// The console display's state arrives as a pointer that no other process can post, so it is read here.
TEST(SessionWatch, MessagesBecomeEventsTheDisplayStateReadFromItsSetting) {
    using enum SessionEvent;
    struct {
        POWERBROADCAST_SETTING Setting;
        BYTE More[3];
    } display{{GUID_CONSOLE_DISPLAY_STATE, sizeof(DWORD), {}}, {}};
    const auto state = [&](DWORD value, GUID guid = GUID_CONSOLE_DISPLAY_STATE) {
        display.Setting.PowerSetting = guid;
        std::memcpy(display.Setting.Data, &value, sizeof(value));
        return SessionWatch::EventOf(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE,
                                     reinterpret_cast<LPARAM>(&display));
    };
    EXPECT_EQ(state(0), DisplayOff);
    EXPECT_EQ(state(1), DisplayOn);
    EXPECT_EQ(state(2), DisplayOn) << "dimmed";
    EXPECT_EQ(state(0, GUID_ACDC_POWER_SOURCE), std::nullopt);
    EXPECT_EQ(SessionWatch::EventOf(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, 0), std::nullopt);
    EXPECT_EQ(SessionWatch::EventOf(WM_WTSSESSION_CHANGE, WTS_REMOTE_DISCONNECT, 0), Disconnect);
    EXPECT_EQ(SessionWatch::EventOf(WM_WTSSESSION_CHANGE, WTS_SESSION_LOGON, 0), std::nullopt);
    EXPECT_EQ(SessionWatch::EventOf(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0), Resume);
    EXPECT_EQ(SessionWatch::EventOf(WM_TIMECHANGE, 0, 0), ClockChange);
}

} // namespace
} // namespace uplift::win

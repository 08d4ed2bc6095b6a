#include "app/session_watch.h"

#include <gtest/gtest.h>

#include <cstring>

namespace uplift::win {
namespace {

// The console display's state arrives as a pointer, which no other process can post.
TEST(SessionWatch, TheDisplayStateIsReadFromItsSettingDimmedBeingOn) {
    struct {
        POWERBROADCAST_SETTING Setting;
        BYTE More[3];
    } display{{GUID_CONSOLE_DISPLAY_STATE, sizeof(DWORD), {}}, {}};
    for (const auto& [guid, value, event] :
         {std::tuple{GUID_CONSOLE_DISPLAY_STATE, 0, SessionEvent::DisplayOff},
          {GUID_CONSOLE_DISPLAY_STATE, 1, SessionEvent::DisplayOn},
          {GUID_CONSOLE_DISPLAY_STATE, 2, SessionEvent::DisplayOn},
          {GUID_ACDC_POWER_SOURCE, 0, SessionEvent::ClockChange}}) {
        display.Setting.PowerSetting = guid;
        std::memcpy(display.Setting.Data, &value, sizeof(DWORD));
        const auto read = SessionWatch::EventOf(WM_POWERBROADCAST, PBT_POWERSETTINGCHANGE, LPARAM(&display));
        EXPECT_EQ(read.value_or(SessionEvent::ClockChange), event) << value; // ClockChange: none
    }
}

} // namespace
} // namespace uplift::win

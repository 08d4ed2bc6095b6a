#include "app/tray.h"

#include <gtest/gtest.h>

namespace uplift {

TEST(TrayTip, LeavesRoomForTheClosingNulWithoutCuttingASurrogatePair) {
    EXPECT_EQ(TrayTipText(L"Uplift Beacon Plus"), L"Uplift Beacon Plus");
    EXPECT_EQ(TrayTipText(std::wstring(64, L'x')), std::wstring(63, L'x'));
    EXPECT_EQ(TrayTipText(std::wstring(63, L'y')), std::wstring(63, L'y'));
    EXPECT_EQ(TrayTipText(std::wstring(62, L'z') + L"\xD83D\xDE00"), std::wstring(62, L'z'));
}

} // namespace uplift

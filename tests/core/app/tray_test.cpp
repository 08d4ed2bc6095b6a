#include "app/tray.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

TEST(TrayCallback, OnlyButtonReleasesAndTheDoubleClickRaiseEvents) {
    struct Case {
        std::uint32_t message;
        TrayEvent event;
        int button;
    };
    constexpr Case cases[] = {
        {0x200, TrayEvent::None, 0},         {0x201, TrayEvent::None, 0},
        {0x202, TrayEvent::LeftButtonUp, 1}, {0x203, TrayEvent::DoubleClick, 0},
        {0x204, TrayEvent::None, 0},         {0x205, TrayEvent::RightButtonUp, 2},
        {0x206, TrayEvent::None, 0},         {0x10202, TrayEvent::None, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DecodeTrayCallback(c.message), c.event) << std::hex << c.message;
        EXPECT_EQ(TrayMouseButton(DecodeTrayCallback(c.message)), c.button) << std::hex << c.message;
    }
}

TEST(TrayTip, LeavesRoomForTheClosingNul) {
    EXPECT_EQ(TrayTipText(L"Uplift Beacon Plus"), L"Uplift Beacon Plus");
    const std::wstring long64(64, L'x');
    EXPECT_EQ(TrayTipText(long64).size(), 63u);
    EXPECT_EQ(TrayTipText(std::wstring(63, L'y')).size(), 63u);
    std::wstring withPair(62, L'z');
    withPair += L"\xD83D\xDE00"; // a surrogate pair across the cut
    EXPECT_EQ(TrayTipText(withPair), std::wstring(62, L'z'));
}

} // namespace
} // namespace uplift

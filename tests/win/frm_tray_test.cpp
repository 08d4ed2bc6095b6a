#include "app/frm_tray.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

struct Recorded : TrayEvents {
    void LocalfrmTray_DblClick() override { events += L"double "; }
    void LocalfrmTray_MouseDown(int button) override { events += L"button" + std::to_wstring(button) + L" "; }
    std::wstring events;
};

// The icon reports the mouse as its window's mouse-move message, the mouse message in place of the X.
TEST(frmTray, AClickOnTheIconIsAButtonAndOnlyADoubleClickIsADoubleClick) {
    const std::pair<std::vector<LPARAM>, const wchar_t*> cases[]{
        {{0x200, 0x201, 0x202}, L"button1 "},                       // move, left click
        {{0x201, 0x202, 0x203, 0x202}, L"button1 double button1 "}, // a double click, as Wine sends it
        {{0x204, 0x205}, L"button2 "},                              // right click
        {{0x207, 0x208, 0x209, 0x20A}, L""}};
    for (const auto& [messages, events] : cases) {
        Recorded recorded;
        frmTray tray(recorded);
        ASSERT_TRUE(tray.Load());
        for (const LPARAM message : messages)
            ::SendMessageW(tray.hWnd(), WM_MOUSEMOVE, 1, message);
        EXPECT_EQ(recorded.events, events);
        tray.Unload();
    }
}

} // namespace
} // namespace uplift::win

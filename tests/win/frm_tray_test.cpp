#include "app/frm_tray.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

struct RecordedEvents : TrayEvents {
    void LocalfrmTray_DblClick() override { ++doubleClicks; }
    void LocalfrmTray_MouseDown(int button) override { buttons.push_back(button); }
    int doubleClicks = 0;
    std::vector<int> buttons;
};

TEST(frmTray, LoadsOffScreenTurnsTheIconCallbacksIntoEventsAndRemovesTheIconOnUnload) {
    RecordedEvents events;
    frmTray tray(events);
    ASSERT_TRUE(tray.Load());
    RECT r{};
    ::GetWindowRect(tray.hWnd(), &r);
    EXPECT_LT(r.right, 0) << "loaded off screen";
    EXPECT_FALSE(tray.Visible());

    for (const LPARAM message : {0x200, 0x201, 0x202, 0x203, 0x204, 0x205})
        ::SendMessageW(tray.hWnd(), WM_MOUSEMOVE, 1, message);
    EXPECT_EQ(events.doubleClicks, 1);
    EXPECT_EQ(events.buttons, (std::vector<int>{1, 2}));

    tray.SetIcon(::LoadIconW(nullptr, IDI_APPLICATION));
    tray.SetToolTipText(std::wstring(200, L'x')); // longer than the icon's tip can hold
    tray.RefreshTray();
    EXPECT_EQ(tray.ToolTipText(), std::wstring(200, L'x')) << "kept whole; only the icon's copy is cut";
    tray.Unload();
    EXPECT_FALSE(tray.IconAdded());
}

} // namespace
} // namespace uplift::win

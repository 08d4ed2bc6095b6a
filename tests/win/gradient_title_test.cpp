// The gradient title bar on a child window made for the test, so that its maximize, minimize and restore are
// the system's own with no window manager between them and the test, driven by the mouse messages the bar
// gets.

#include "controls/gradient_title.h"
#include "forms/form.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

TEST(GradientTitle, PaintsTheCaptionAndItsButtonsAndPressDragMaximizeRestoreMinimizeAndCloseFollowTheMouse) {
    using enum GradientTitle::Element;
    ::SetCursorPos(1200, 1000); // off the windows: no move of the real pointer reaches the bar
    const unique_hwnd parent(::CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600,
                                               nullptr, nullptr, nullptr, nullptr));
    const HWND host = ::CreateWindowExW(0, L"Static", L"Gradient & title: Crème brûlée",
                                        WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN | WS_MAXIMIZEBOX |
                                            WS_MINIMIZEBOX,
                                        0, 0, 432, 200, parent.get(), nullptr, nullptr, nullptr);
    GradientTitle title;
    ASSERT_TRUE(title.Attach(host));
    DoEvents();
    const auto rect = [&](GradientTitle::Element element) {
        return title.ElementRect(element).value_or(RECT{});
    };
    const auto pixel = [&](LONG x, LONG y) { return ::GetPixel(window_dc(title.hWnd()).get(), x, y); };
    const auto mouse = [&](std::initializer_list<std::pair<UINT, POINT>> events) {
        for (const auto& [message, at] : events)
            ::SendMessageW(title.hWnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                           MAKELPARAM(at.x, at.y));
        DoEvents();
    };
    const auto click = [&](GradientTitle::Element element) {
        const RECT r = rect(element);
        const POINT at{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        mouse({{WM_LBUTTONDOWN, at}, {WM_LBUTTONUP, at}});
    };
    const auto placed = [&] { // in the parent's client area
        RECT r{};
        ::GetWindowRect(host, &r);
        ::MapWindowPoints(HWND_DESKTOP, parent.get(), reinterpret_cast<POINT*>(&r), 2);
        return std::tuple(r.left, r.top, r.right, r.bottom);
    };

    const RECT bar = rect(TitleBar), close = rect(CloseForm);
    EXPECT_EQ(std::tuple(::GetWindowTextLengthW(host), title.Caption(), pixel(bar.left, bar.top),
                         pixel(bar.right - 1, bar.top)),
              std::tuple(0, L"Gradient & title: Crème brûlée", RGB(0, 0, 255), RGB(0, 0, 0)))
        << "the caption goes to the bar, which runs from blue to black";
    // Pressed, close looks pressed (its outer edge turns dark); released away from it, on the caption, it
    // does nothing. Dragged by its caption, the host follows the pointer.
    const COLORREF atRest = pixel(close.left, close.top);
    mouse({{WM_LBUTTONDOWN, {close.left + 2, close.top + 2}}});
    EXPECT_NE(pixel(close.left, close.top), atRest) << "the pressed face";
    const POINT grab{bar.left + 150, close.top + 2}, dropped{grab.x + 120, grab.y + 70};
    mouse({{WM_MOUSEMOVE, grab},
           {WM_LBUTTONUP, grab},
           {WM_LBUTTONDOWN, grab},
           {WM_MOUSEMOVE, dropped},
           {WM_LBUTTONUP, dropped}});
    const auto moved = placed();
    EXPECT_EQ(moved, std::tuple(120, 70, 552, 270));

    click(Maximize);
    EXPECT_TRUE(::IsZoomed(host) && title.MaximizedFlag() && rect(CloseForm).left > 432)
        << "across the parent";
    click(Maximize);
    EXPECT_FALSE(::IsZoomed(host) || title.MaximizedFlag() || placed() != moved) << "back in its place";
    click(Minimize);
    EXPECT_TRUE(::IsIconic(host) && title.MinimizedFlag());
    ::ShowWindow(host, SW_RESTORE);
    ::SendMessageW(host, WM_ACTIVATE, WA_ACTIVE, 0); // restored and activated: minimize minimizes again
    EXPECT_FALSE(title.MinimizedFlag());
    click(CloseForm);
    EXPECT_FALSE(::IsWindow(host)) << "closed";
}

} // namespace
} // namespace uplift::win

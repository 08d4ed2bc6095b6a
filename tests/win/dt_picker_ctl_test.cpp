#include "controls/dt_picker_ctl.h"
#include "settings/windows_regional_formats.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace uplift::win {
namespace {

TEST(DTPicker, AgainstTheRealControl) {
    constexpr DWORD kTimeStyle = 0x50800009, kDateStyle = 0x50800000;
    const WindowsRegionalFormats formats(0x0409);
    // Away from the screen's corner, so that a child moved by its parent's offset would show.
    const unique_hwnd parent(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 200, 150, 400, 200,
                                               nullptr, nullptr, nullptr, nullptr));
    CDTPickerCtl picker(formats);
    const HWND first = picker.Create(10, 20, 160, 24, parent.get(), kTimeStyle);
    EXPECT_EQ(picker.Create(0, 0, 9, 9, parent.get(), kDateStyle), nullptr);
    picker.ZOrder();
    RECT place{};
    ::GetWindowRect(first, &place);
    ::MapWindowPoints(nullptr, parent.get(), reinterpret_cast<POINT*>(&place), 1);
    EXPECT_EQ(std::pair(place.left, place.top), std::pair(10L, 20L)) << "ZOrder leaves it where it stands";
    for (const auto& [size, bold, kept] :
         {std::tuple{3, true, 8}, {4, false, 4}, {31, true, 4}, {30, true, 30}}) {
        picker.SetFontSize(size);
        picker.SetFontBold(bold);
        EXPECT_EQ(std::pair(picker.FontSize(), picker.FontBold()), std::pair(kept, bold)) << size;
    }
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(first, WM_GETFONT, 0, 0));
    LOGFONTW described{};
    ::GetObjectW(font, sizeof described, &described);
    EXPECT_EQ(described.lfHeight, -::MulDiv(30, static_cast<int>(::GetDpiForWindow(first)), 72));
    CDTPickerCtl attached(formats);
    attached.Attach(first);
    attached.Destroy();
    EXPECT_TRUE(::IsWindow(first) && attached.hWnd() == first && picker.hWnd() == first);
    picker.Destroy();
    EXPECT_FALSE(::IsWindow(first) || ::GetObjectType(font)) << "the window and its font are gone";

    const std::wstring text = L"12/6/2026 1:05:09 PM";
    const DateTime time = TimeSerial(13, 5, 9), moment = FromCivil({2026, 12, 6, 13, 5, 9});
    // clang-format off
    const std::tuple<DWORD, PickerValue, PickerValue, std::optional<DateTime>> values[] = {
        {kTimeStyle, time, time, time}, {kDateStyle, text, text, moment}, {kDateStyle | DTS_UPDOWN, text, text, moment},
        {kDateStyle | DTS_SHORTDATECENTURYFORMAT, text, text, moment}, {kDateStyle | DTS_SHOWNONE, L"no", {}, {}}};
    // clang-format on
    for (const auto& [style, in, out, shown] : values) {
        CDTPickerCtl each(formats);
        each.Create(10, 20, 160, 24, parent.get(), style);
        each.SetFormat(style == kTimeStyle ? L"hh:mm tt" : L"MM/dd/yyy hh:mm tt");
        each.SetValue(in);
        EXPECT_EQ(std::pair(each.Value(), each.Moment()), std::pair(out, shown)) << std::hex << style;
    }
}

} // namespace
} // namespace uplift::win

// The picker class against the real common control.

#include "controls/dt_picker_ctl.h"
#include "settings/windows_regional_formats.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace uplift::win {
namespace {

constexpr DWORD kTimeStyle = 0x50800009, kDateStyle = 0x50800000;

class DTPicker : public ::testing::Test {
protected:
    HWND Create(CDTPickerCtl& picker, DWORD style) {
        return picker.Create(10, 20, 160, 24, parent_.get(), style);
    }
    static LOGFONTW WindowFont(HWND window) {
        LOGFONTW font{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font;
    }
    // Away from the screen's corner, so that a child moved by its parent's offset would show.
    unique_hwnd parent_{::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 150, 400,
                                          200, nullptr, nullptr, nullptr, nullptr)};
    WindowsRegionalFormats formats_{0x0409};
    CDTPickerCtl picker_{formats_};
};

TEST_F(DTPicker, CreatesOnceAndDestroysOnlyWhatItOwns) {
    const HWND first = Create(picker_, kTimeStyle);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Create(picker_, kDateStyle), nullptr);
    picker_.ZOrder();
    RECT place{};
    ::GetWindowRect(first, &place);
    ::MapWindowPoints(nullptr, parent_.get(), reinterpret_cast<POINT*>(&place), 1);
    EXPECT_EQ(std::pair(place.left, place.top), std::pair(10L, 20L))
        << "ZOrder leaves the picker where it stands";
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(first, WM_GETFONT, 0, 0));
    CDTPickerCtl attached(formats_);
    attached.Attach(first);
    attached.Destroy();
    ASSERT_TRUE(::IsWindow(first));
    EXPECT_EQ(attached.hWnd(), first);
    EXPECT_EQ(picker_.hWnd(), first);
    picker_.Destroy();
    EXPECT_FALSE(::IsWindow(first));
    EXPECT_EQ(::GetObjectType(font), 0u) << "its font is deleted with it";
}

TEST_F(DTPicker, FontKeepsItsLimitsAndPointsAtRest) {
    const HWND window = Create(picker_, kDateStyle);
    for (const auto& [size, kept] : {std::pair{3, 8}, {4, 4}, {31, 4}, {30, 30}}) {
        picker_.SetFontSize(size);
        EXPECT_EQ(picker_.FontSize(), kept) << size;
    }
    for (const bool bold : {true, false, true}) {
        picker_.SetFontBold(bold);
        EXPECT_EQ(picker_.FontBold(), bold);
    }
    picker_.SetFontName(L"");
    EXPECT_EQ(picker_.FontName(), L"MS Sans Serif");
    picker_.SetFontName(std::wstring(40, L'a'));
    EXPECT_EQ(picker_.FontName(), std::wstring(31, L'a'));
    const LOGFONTW font = WindowFont(window);
    EXPECT_EQ(font.lfHeight, -::MulDiv(30, static_cast<int>(::GetDpiForWindow(window)), 72));
    EXPECT_EQ(font.lfWeight, FW_BOLD);
}

TEST_F(DTPicker, ValueRoundTrips) {
    const std::wstring text = L"12/6/2026 1:05:09 PM";
    const DateTime time = TimeSerial(13, 5, 9), moment = FromCivil({2026, 12, 6, 13, 5, 9});
    const std::tuple<DWORD, PickerValue, PickerValue> cases[] = {
        {kTimeStyle, time, time},
        {kTimeStyle, L"1:05:09 PM", time},
        {kDateStyle, text, text},
        {kDateStyle, moment, text},
        {kDateStyle | DTS_UPDOWN, text, text},
        {kDateStyle | DTS_SHORTDATECENTURYFORMAT, text, text},
        {kDateStyle | DTS_SHOWNONE, L"no date", {}}};
    for (const auto& [style, in, out] : cases) {
        CDTPickerCtl picker(formats_);
        Create(picker, style);
        picker.SetFormat(style == kTimeStyle ? L"hh:mm tt" : L"MM/dd/yyy hh:mm tt");
        picker.SetValue(in);
        EXPECT_EQ(picker.Value(), out) << std::hex << style << " " << PickerText(in, formats_);
    }
}

} // namespace
} // namespace uplift::win

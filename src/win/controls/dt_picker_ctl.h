#pragma once
// CDTPickerCtl: one window of the common controls' date and time picker ("SysDateTimePick32"),
// created by the object (owned: destroyed with it) or taken over from elsewhere (attached: left
// alone). Besides what the options dialog uses (Create, SetFormat, ZOrder, Value, SetEnabled,
// Destroy) it passes the picker's and the common controls' other messages through.
//
// The font is kept as a LOGFONT whose height holds the size in points at rest; ApplyFont turns it
// into pixels at the window's resolution only while it creates the font.

#include "common/regional_formats.h"
#include "controls/picker_value.h"
#include "forms/unique_handle.h"

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

namespace uplift::win {

class CDTPickerCtl {
public:
    // Registers the picker's window class; the font starts as "MS Sans Serif", 8 points.
    // `formats` turns a date picker's value into text and texts into values; it must outlive the object.
    explicit CDTPickerCtl(const RegionalFormats& formats);
    CDTPickerCtl(const CDTPickerCtl&) = delete;
    CDTPickerCtl& operator=(const CDTPickerCtl&) = delete;
    ~CDTPickerCtl() {
        Destroy();
        ReleaseFont();
    }

    // Raises the window to the top of its siblings where it stands.
    void ZOrder();

    // Thin pass-throughs; each returns the message's result.
    LRESULT GetTime(SYSTEMTIME& time);
    LRESULT SetTime(DWORD flag, const SYSTEMTIME& time);                   // GDT_VALID or GDT_NONE
    LRESULT SetFormat(std::wstring_view format);                           // also the Format property
    LRESULT GetRange(std::array<SYSTEMTIME, 2>& range);                    // minimum, maximum
    LRESULT SetRange(DWORD flags, const std::array<SYSTEMTIME, 2>& range); // GDTR_MIN | GDTR_MAX
    HWND GetMonthCal();
    void SetMonthCalColor(int which, COLORREF colour);
    COLORREF GetMonthCalColor(int which);
    void SetMonthCalFont(HFONT font);
    HFONT GetMonthCalFont();
    HWND SetNotifyWindow(HWND window); // the previous one
    int Version();
    void SetVersion(int version);
    bool UnicodeFormat();
    void SetUnicodeFormat(bool unicode);

    // Nothing when the picker holds no valid date; a time of day for a time-format picker;
    // otherwise the text "short date, one blank, long time" in the regional formats.
    PickerValue Value() const;
    // A date-time, or a text the regional formats read as one, sets the picker (milliseconds 0; a
    // time alone lands on 30 Dec 1899); anything else asks it to show no date, which only a picker
    // with DTS_SHOWNONE can.
    void SetValue(const PickerValue& value);
    // The value as the settings store writes it ("" for nothing).
    std::wstring ValueText() const { return PickerText(Value(), formats_); }
    // The moment the picker shows, read from it directly (no text between, so no calendar or
    // two-digit year in the way): a time of day for a time picker, nothing for no date.
    std::optional<DateTime> Moment() const;
    void SetMoment(std::optional<DateTime> moment) {
        SetValue(moment ? PickerValue(*moment) : PickerValue());
    }

    // Font description; a change reaches the window at once once it has a font of this class.
    std::wstring FontName() const;
    void SetFontName(std::wstring_view name); // empty: ignored; cut to 31 characters
    int FontSize() const { return font_.lfHeight; }
    void SetFontSize(int points); // 4 through 30, others ignored
    bool FontBold() const { return font_.lfWeight >= FW_BOLD; }
    void SetFontBold(bool bold);
    bool FontItalic() const { return font_.lfItalic != 0; }
    void SetFontItalic(bool italic);

    HWND hWnd() const { return hwnd_; }
    bool Enabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }
    void SetEnabled(bool enabled) { ::EnableWindow(hwnd_, enabled); }
    bool Visible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
    void SetVisible(bool visible) { ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }

    // Destroys an owned window and its font; an attached window is left alone.
    void Destroy();
    // Destroy, then drive `window` without owning it.
    void Attach(HWND window);
    void Move(int left, int top, int width, int height, bool repaint) {
        ::MoveWindow(hwnd_, left, top, width, height, repaint);
    }
    void SetFocus() { ::SetFocus(hwnd_); }
    // Creates the picker as a child (or window) of `parent` at the given pixels of its client area
    // and gives it the font. Returns the window, or nullptr when one exists already or creation fails.
    HWND Create(int left, int top, int width, int height, HWND parent, DWORD style, DWORD exStyle = 0);
    // Creates the font from the description at the window's resolution and hands it to the window.
    void ApplyFont();

private:
    // What the picker shows, and whether it shows a time of day only.
    std::optional<CivilDateTime> Shown() const;
    bool TimeFormat() const;
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageW(hwnd_, message, wParam, lParam);
    }
    // An attached window that has a font of this class gives it back before the font is deleted.
    void ReleaseFont();
    // Applies the description to a window that has a font of this class.
    void FontChanged() {
        if (font_handle_) ApplyFont();
    }

    const RegionalFormats& formats_;
    HWND hwnd_ = nullptr; // owned or attached
    unique_hwnd owned_;   // set only while this object owns hwnd_
    unique_hfont font_handle_;
    LOGFONTW font_{};
};

} // namespace uplift::win

#include "controls/dt_picker_ctl.h"

#include "forms/form.h"
#include "settings/system_time.h"

#include <commctrl.h>

#include <algorithm>

namespace uplift::win {
namespace {

constexpr int kMinFontSize = 4;
constexpr int kMaxFontSize = 30;
// The face name field holds 32 characters with its terminating NUL.
constexpr std::size_t kMaxFaceName = LF_FACESIZE - 1;

} // namespace

CDTPickerCtl::CDTPickerCtl(const RegionalFormats& formats) : formats_(formats) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_DATE_CLASSES};
    if (!::InitCommonControlsEx(&controls)) ::InitCommonControls();
    SetFontName(L"MS Sans Serif");
    font_.lfHeight = 8;
}

void CDTPickerCtl::ZOrder() {
    // Without SWP_NOMOVE a child would move by its parent's offset on the screen: the window
    // rectangle is in screen coordinates, a child's position in its parent's client area.
    ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT CDTPickerCtl::GetTime(SYSTEMTIME& time) {
    return Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
}

LRESULT CDTPickerCtl::SetTime(DWORD flag, const SYSTEMTIME& time) {
    return Send(DTM_SETSYSTEMTIME, flag, reinterpret_cast<LPARAM>(&time));
}

LRESULT CDTPickerCtl::SetFormat(std::wstring_view format) {
    const std::wstring text(format);
    return Send(DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CDTPickerCtl::GetRange(std::array<SYSTEMTIME, 2>& range) {
    return Send(DTM_GETRANGE, 0, reinterpret_cast<LPARAM>(range.data()));
}

LRESULT CDTPickerCtl::SetRange(DWORD flags, const std::array<SYSTEMTIME, 2>& range) {
    return Send(DTM_SETRANGE, flags, reinterpret_cast<LPARAM>(range.data()));
}

HWND CDTPickerCtl::GetMonthCal() {
    return reinterpret_cast<HWND>(Send(DTM_GETMONTHCAL));
}

void CDTPickerCtl::SetMonthCalColor(int which, COLORREF colour) {
    Send(DTM_SETMCCOLOR, static_cast<WPARAM>(which), static_cast<LPARAM>(colour));
}

COLORREF CDTPickerCtl::GetMonthCalColor(int which) {
    return static_cast<COLORREF>(Send(DTM_GETMCCOLOR, static_cast<WPARAM>(which)));
}

void CDTPickerCtl::SetMonthCalFont(HFONT font) {
    Send(DTM_SETMCFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HFONT CDTPickerCtl::GetMonthCalFont() {
    return reinterpret_cast<HFONT>(Send(DTM_GETMCFONT));
}

HWND CDTPickerCtl::SetNotifyWindow(HWND window) {
    return reinterpret_cast<HWND>(Send(CCM_SETNOTIFYWINDOW, reinterpret_cast<WPARAM>(window)));
}

int CDTPickerCtl::Version() {
    return static_cast<int>(Send(CCM_GETVERSION));
}

void CDTPickerCtl::SetVersion(int version) {
    Send(CCM_SETVERSION, static_cast<WPARAM>(version));
}

bool CDTPickerCtl::UnicodeFormat() {
    return Send(CCM_GETUNICODEFORMAT) != 0;
}

void CDTPickerCtl::SetUnicodeFormat(bool unicode) {
    Send(CCM_SETUNICODEFORMAT, unicode);
}

std::optional<CivilDateTime> CDTPickerCtl::Shown() const {
    SYSTEMTIME st{};
    if (Send(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st)) != GDT_VALID) return std::nullopt;
    return CivilDateTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

bool CDTPickerCtl::TimeFormat() const {
    // The time format is its own bit without the long-date bit (the century format sets both);
    // the up-down bit that DTS_TIMEFORMAT includes says nothing about the format.
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE));
    return (style & DTS_SHORTDATECENTURYFORMAT) == (DTS_TIMEFORMAT & ~DTS_UPDOWN);
}

PickerValue CDTPickerCtl::Value() const {
    const auto shown = Shown();
    return shown ? PickerValueOf(*shown, TimeFormat(), formats_) : PickerValue();
}

std::optional<DateTime> CDTPickerCtl::Moment() const {
    const auto shown = Shown();
    return shown ? std::optional(ShownMoment(*shown, TimeFormat())) : std::nullopt;
}

void CDTPickerCtl::SetValue(const PickerValue& value) {
    const auto moment = PickerMoment(value, formats_);
    const auto shown = moment ? ToSystemTime(*moment) : std::nullopt;
    // GDT_NONE takes no record, but Wine's picker refuses a null one.
    const SYSTEMTIME st = shown.value_or(SYSTEMTIME{});
    Send(DTM_SETSYSTEMTIME, shown ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(&st));
}

std::wstring CDTPickerCtl::FontName() const {
    return font_.lfFaceName;
}

void CDTPickerCtl::SetFontName(std::wstring_view name) {
    if (name.empty()) return;
    std::fill(std::begin(font_.lfFaceName), std::end(font_.lfFaceName), L'\0');
    name.copy(font_.lfFaceName, kMaxFaceName);
    FontChanged();
}

void CDTPickerCtl::SetFontSize(int points) {
    if (points < kMinFontSize || points > kMaxFontSize) return;
    font_.lfHeight = points;
    FontChanged();
}

void CDTPickerCtl::SetFontBold(bool bold) {
    font_.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    FontChanged();
}

void CDTPickerCtl::SetFontItalic(bool italic) {
    font_.lfItalic = italic ? 1 : 0;
    FontChanged();
}

void CDTPickerCtl::Destroy() {
    if (!owned_) return;
    owned_.reset();
    font_handle_.reset();
    hwnd_ = nullptr;
}

void CDTPickerCtl::Attach(HWND window) {
    Destroy();
    ReleaseFont();
    hwnd_ = window;
}

void CDTPickerCtl::ReleaseFont() {
    if (!font_handle_) return;
    Send(WM_SETFONT, 0, FALSE);
    font_handle_.reset();
}

HWND CDTPickerCtl::Create(int left, int top, int width, int height, HWND parent, DWORD style, DWORD exStyle) {
    if (hwnd_) return nullptr;
    owned_.reset(::CreateWindowExW(exStyle, DATETIMEPICK_CLASSW, nullptr, style, left, top, width, height,
                                   parent, nullptr, AppInstance(), nullptr));
    if (!owned_) return nullptr;
    hwnd_ = owned_.get();
    ApplyFont();
    return hwnd_;
}

void CDTPickerCtl::ApplyFont() {
    if (!hwnd_) return;
    font_.lfCharSet = DEFAULT_CHARSET;
    const LONG points = font_.lfHeight;
    // The window's own resolution, which a per-monitor aware program's window DC reports as well.
    if (const UINT dpi = ::GetDpiForWindow(hwnd_))
        font_.lfHeight = -::MulDiv(points, static_cast<int>(dpi), 72);
    unique_hfont font(::CreateFontIndirectW(&font_));
    font_.lfHeight = points;
    if (!font) return;
    // The window lets go of the old font before it is deleted.
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    font_handle_ = std::move(font);
}

} // namespace uplift::win

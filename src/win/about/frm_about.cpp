#include "about/frm_about.h"

#include "about/shell_open.h"
#include "about/version_label.h"
#include "forms/control_table.h"
#include "resource.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace uplift::win {

namespace {

using K = ControlKind;

constexpr int kClientWidthTwips = 5625;
constexpr int kClientHeightTwips = 4200;

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

constexpr wchar_t kDisclaimer[] =
    L"Warning: this program is protected by copyright law. Copying or distributing it, in whole or in "
    L"part, without the written permission of Fernbrook is not allowed.";

// Positions in twips; the link sits in its hot area Picture1. The buttons and then the link take the
// focus (creation order is the tab order), so that the box opens with the focus on OK.
// clang-format off
constexpr std::array<ControlSpec, 11> kAboutControls{{
    {K::Picture, L"picBanner", L"", L"", {0, 0, kClientWidthTwips, 630}},
    {K::Picture, L"Image1", L"", L"", {240, 840, 480, 480}},
    {K::Label, L"lblTitle", L"Uplift Beacon", L"", {1050, 840, 3885, 480}},
    {K::Label, L"lblVersion", L"", L"", {1050, 1380, 3885, 225}},
    {K::Label, L"lblDescription", L"Copyright \u00A9 Fernbrook. All rights reserved.", L"", {1050, 1725, 4005, 330}},
    {K::Picture, L"Picture1", L"", L"", {1060, 2040, 3975, 495}},
    {K::Picture, L"Line1", L"", L"", {90, 2685, kClientWidthTwips - 90, 30}},
    {K::Label, L"lblDisclaimer", L"", L"", {240, 2865, 3870, 1305}},
    {K::Button, L"cmdOK", L"OK", L"", {4245, 2865, 1245, 345}, 0, L"", L"", kDefault | kCancel},
    {K::Button, L"cmdSupport", L"S&upport", L"", {4245, 3360, 1245, 345}},
    {K::Link, L"Label1", L"", L"", {0, 0, 3930, 240}, 0, L"Picture1"},
}};
// clang-format on

// "Version 1.1.3" from the program's own version resource.
std::wstring ProgramVersion() {
    const HRSRC found = ::FindResourceW(AppInstance(), MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const HGLOBAL loaded = found ? ::LoadResource(AppInstance(), found) : nullptr;
    const auto* data = static_cast<const std::byte*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!data) return {};
    const auto version = FileVersionOf({data, ::SizeofResource(AppInstance(), found)});
    return version ? VersionLabel(version->High, version->Low) : std::wstring();
}

// The dialog's font at a size in hundredths of a point, in another face when one is given.
unique_hfont FontFrom(HFONT base, std::wstring_view face, int centipoints, UINT dpi, LONG weight,
                      bool underline) {
    LOGFONTW font{};
    if (!base || !::GetObjectW(base, sizeof(font), &font)) return {};
    if (!face.empty() && face.size() < LF_FACESIZE) {
        face.copy(font.lfFaceName, face.size());
        font.lfFaceName[face.size()] = L'\0';
    }
    font.lfHeight = -::MulDiv(centipoints, static_cast<int>(dpi), 7200);
    font.lfWidth = 0;
    font.lfWeight = weight;
    font.lfUnderline = underline;
    return unique_hfont(::CreateFontIndirectW(&font));
}

} // namespace

frmAbout::~frmAbout() {
    Timer1_.SetEnabled(false);
}

bool frmAbout::Load() {
    // A shared resource icon: the system owns it, nothing destroys it.
    const HICON icon = ::LoadIconW(AppInstance(), MAKEINTRESOURCEW(IDI_APP));
    return LoadForm({L"UpliftBeacon.frmAbout", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME, icon},
                    kAboutCaption, {0, 0, 0, 0});
}

void frmAbout::Form_Load() {
    CreateControls(kAboutControls);
    SetText(L"lblVersion", ProgramVersion());
    SetText(L"lblDisclaimer", kDisclaimer);
    linkColour_ = kBlue;
    SetText(L"Label1", kWebAddress);
    FitLink();
    SetClientTwips(kClientWidthTwips, kClientHeightTwips);
    CentreOnScreen();
}

void frmAbout::Form_Layout() {
    const UINT dpi = Dpi();
    // Arial: a bold face wherever the program runs, and an underline that ends where the letters do;
    // the dialog's face promises neither.
    titleFont_ = FontFrom(DialogFont(), L"Arial", 1400, dpi, FW_BOLD, false);
    linkFont_ = FontFrom(DialogFont(), L"Arial", 975, dpi, FW_NORMAL, true);
    FitLink();
}

void frmAbout::FitLink() {
    HWND link = Control(L"Label1");
    if (!link || !linkFont_) return;
    const std::wstring text = Text(L"Label1");
    const RECT area = ControlRect(L"Label1");
    SIZE extent{};
    {
        const window_dc screen(nullptr);
        const select_object selected(screen.get(), linkFont_.get());
        ::GetTextExtentPoint32W(screen.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    }
    const int width = std::min<int>(extent.cx + 2, area.right - area.left);
    const int height = std::max<int>(extent.cy, area.bottom - area.top);
    ::MoveWindow(link, area.left, area.top, std::max(width, 1), height, TRUE);
}

bool frmAbout::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_DRAWITEM: {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item.CtlType != ODT_STATIC && item.hwndItem != Control(L"Label1")) return false;
        DrawLabel(item);
        result = TRUE;
        return true;
    }
    case WM_SETCURSOR:
        // The parent hears first of the mouse over a child: that is how the link learns of it.
        if (reinterpret_cast<HWND>(wParam) != Control(L"Label1")) return false;
        if (HIWORD(lParam) == WM_MOUSEMOVE) Label1_MouseMove();
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        result = TRUE;
        return true;
    case WM_COMMAND:
        if (lParam != 0 && reinterpret_cast<HWND>(lParam) == Control(L"Label1")) {
            if (HIWORD(wParam) == BN_CLICKED) Label1_Click();
        } else if (lParam == 0 && LOWORD(wParam) == IDCANCEL) {
            cmdOK_Click(); // Escape: the OK button is the cancel button too
        } else {
            return false;
        }
        result = 0;
        return true;
    case WM_CLOSE:
        cmdOK_Click();
        result = 0;
        return true;
    case WM_UPDATEUISTATE:
        // The link's focus cue follows the keyboard cues; the default handling passes them on.
        ::InvalidateRect(Control(L"Label1"), nullptr, FALSE);
        return false;
    default: return false;
    }
}

void frmAbout::Control_Event(std::wstring_view name, UINT code) {
    if (code != BN_CLICKED) return;
    if (name == L"cmdOK") cmdOK_Click();
    if (name == L"cmdSupport") cmdSupport_Click();
}

// Enter on the link opens it, as Space does (the link is a button); elsewhere Enter presses OK.
void frmAbout::Form_KeyDown(UINT key, bool& handled) {
    if (key != VK_RETURN || ::GetFocus() != Control(L"Label1")) return;
    Label1_Click();
    handled = true;
}

void frmAbout::Form_Timer(UINT_PTR id) {
    if (id == Timer1_.Id()) Timer1_Timer();
}

void frmAbout::DrawLabel(const DRAWITEMSTRUCT& item) const {
    const std::wstring_view name = ControlName(item.hwndItem);
    RECT r = item.rcItem;
    ::FillRect(item.hDC, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    HFONT font = name == L"lblTitle" ? titleFont_.get() : name == L"Label1" ? linkFont_.get() : DialogFont();
    const select_object selected(item.hDC, font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(item.hDC, TRANSPARENT);
    // In high contrast the link takes the scheme's colours for links and for what is under the mouse.
    const COLORREF link =
        !HighContrast() ? linkColour_ : ::GetSysColor(linkColour_ == kRed ? COLOR_HIGHLIGHT : COLOR_HOTLIGHT);
    ::SetTextColor(item.hDC, name == L"Label1" ? link : ::GetSysColor(COLOR_BTNTEXT));
    const std::wstring text = Text(name);
    const UINT lines = name == L"lblDisclaimer" ? DT_WORDBREAK : DT_SINGLELINE | DT_END_ELLIPSIS;
    ::DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &r,
                DT_LEFT | DT_TOP | DT_NOPREFIX | lines);
    const bool focusCue = name == L"Label1" && (item.itemState & ODS_FOCUS) &&
                          !(item.itemState & ODS_NOFOCUSRECT) &&
                          !(::SendMessageW(item.hwndItem, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
    if (focusCue) ::DrawFocusRect(item.hDC, &r);
}

void frmAbout::Label1_MouseMove() {
    if (linkColour_ != kBlue) return;
    linkColour_ = kRed;
    ::InvalidateRect(Control(L"Label1"), nullptr, FALSE);
    Timer1_.SetEnabled(true);
}

// The mouse has left the link when it is no longer over the link's window.
void frmAbout::Timer1_Timer() {
    HWND link = Control(L"Label1");
    POINT at{};
    RECT area{};
    if (!link || !::GetCursorPos(&at) || !::ScreenToClient(link, &at) || !::GetClientRect(link, &area))
        return;
    if (::PtInRect(&area, at)) return;
    linkColour_ = kBlue;
    ::InvalidateRect(link, nullptr, FALSE);
    Timer1_.SetEnabled(false); // the next hover starts it again
}

void frmAbout::Label1_Click() {
    OpenWebSite(hWnd(), Text(L"Label1"));
}

void frmAbout::cmdOK_Click() {
    EndModal();
}

void frmAbout::cmdSupport_Click() {
    SendSupportMail(hWnd());
}

} // namespace uplift::win

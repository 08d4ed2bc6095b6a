#include "forms/dialog_form.h"

#include "display/twips.h"

#include <commctrl.h>

#include <algorithm>

namespace uplift::win {

namespace {

constexpr int kFirstControlId = 100;
// WM_KEYF1: the platform's own help request, posted when F1 is taken from the queue. It would come
// back as WM_HELP, a What's This popup on top of the topic the form has opened for F1 already.
constexpr UINT kKeyF1Message = 0x004D;

// The forms whose windows get the dialog manners in the message loop.
std::vector<DialogForm*>& Dialogs() {
    static std::vector<DialogForm*> dialogs;
    return dialogs;
}

void InitCommonControlsOnce() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
        return ::InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)done;
}

struct WindowKind {
    const wchar_t* ClassName;
    DWORD Style;
    DWORD ExStyle;
};

WindowKind KindOf(const ControlSpec& spec) {
    const bool group = spec.Flags & kGroup;
    switch (spec.Kind) {
    case ControlKind::Label:
        // Drawn by the form: a label shows the focus of its option, which has no text of its own to show it.
        return {L"STATIC", SS_OWNERDRAW | SS_NOTIFY | WS_GROUP, 0};
    case ControlKind::Option:
        // The option's own text is its label's, for screen readers; the button is too narrow to show it.
        return {L"BUTTON", BS_AUTORADIOBUTTON | BS_NOTIFY | (group ? WS_GROUP | WS_TABSTOP : 0), 0};
    case ControlKind::Button:
        return {L"BUTTON",
                ((spec.Flags & kDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP | WS_GROUP, 0};
    case ControlKind::ColourButton: return {L"BUTTON", BS_OWNERDRAW | WS_TABSTOP | WS_GROUP, 0};
    case ControlKind::TextBox: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE};
    case ControlKind::DropDownList:
        return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, 0};
    case ControlKind::ListBox:
        return {L"LISTBOX",
                LBS_EXTENDEDSEL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                    WS_GROUP,
                WS_EX_CLIENTEDGE};
    case ControlKind::PictureButton:
    case ControlKind::Link: return {L"BUTTON", BS_OWNERDRAW | WS_TABSTOP | WS_GROUP, 0};
    case ControlKind::Frame: // drawn by the form, so that its caption is never cut
    case ControlKind::Panel:
    case ControlKind::Picture:
    case ControlKind::Separator: break; // drawn by the form
    }
    return {nullptr, 0, 0};
}

} // namespace

DialogForm::~DialogForm() {
    auto& dialogs = Dialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), this), dialogs.end());
}

UINT DialogForm::Dpi() const {
    const UINT dpi = hWnd() ? ::GetDpiForWindow(hWnd()) : 0;
    return dpi ? dpi : ::GetDpiForSystem();
}

int DialogForm::ToPixels(int twips) const {
    return TwipsToPixels(twips, static_cast<int>(Dpi()));
}

std::size_t DialogForm::IndexOf(HWND control) const {
    const auto it = std::find(controls_.begin(), controls_.end(), control);
    return control && it != controls_.end() ? static_cast<std::size_t>(it - controls_.begin())
                                            : controls_.size();
}

int DialogForm::IdOf(std::size_t index) const {
    if (table_[index].Flags & kDefault) return IDOK;
    if (table_[index].Flags & kCancel) return IDCANCEL;
    return kFirstControlId + static_cast<int>(index);
}

HWND DialogForm::Control(std::wstring_view name) const {
    const auto index = FindControl(table_, name);
    return index && *index < controls_.size() ? controls_[*index] : nullptr;
}

std::wstring_view DialogForm::ControlName(HWND control) const {
    const std::size_t index = IndexOf(control);
    return index < controls_.size() ? table_[index].Name : std::wstring_view();
}

int DialogForm::HelpIdOf(HWND window) const {
    // The edit box of a combo box or the parts of a picker answer for the control they belong to.
    for (HWND w = window; w && w != hWnd() && ::IsChild(hWnd(), w); w = ::GetParent(w)) {
        const std::size_t index = IndexOf(w);
        if (index < controls_.size()) return table_[index].HelpId;
        for (const auto& [other, helpId] : helpIds_) {
            if (other == w) return helpId;
        }
    }
    return 0;
}

void DialogForm::SetHelpId(HWND window, int helpId) {
    helpIds_.emplace_back(window, helpId);
}

void DialogForm::CreateControls(std::span<const ControlSpec> table) {
    if (!hWnd() || !controls_.empty()) return;
    InitCommonControlsOnce();
    table_ = table;
    controls_.assign(table.size(), nullptr);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const ControlSpec& spec = table[i];
        const WindowKind kind = KindOf(spec);
        if (!kind.ClassName) continue;
        std::wstring text(spec.Caption);
        if (spec.Kind == ControlKind::Option) {
            for (const ControlSpec& other : table) {
                if (other.Buddy == spec.Name) text = other.Caption;
            }
        }
        controls_[i] = ::CreateWindowExW(
            kind.ExStyle, kind.ClassName, text.c_str(), WS_CHILD | WS_VISIBLE | kind.Style, 0, 0, 0, 0,
            hWnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdOf(i))), AppInstance(), nullptr);
    }
    toolTip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, hWnd(), nullptr, AppInstance(), nullptr);
    for (std::size_t i = 0; i < table.size(); ++i)
        AddToolTip(i);
    Dialogs().push_back(this);
    LayoutControls();
}

void DialogForm::AddToolTip(std::size_t index) {
    if (!toolTip_ || !controls_[index] || table_[index].ToolTip.empty()) return;
    std::wstring tip(table_[index].ToolTip);
    TTTOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = hWnd();
    info.uId = reinterpret_cast<UINT_PTR>(controls_[index]);
    info.lpszText = tip.data(); // copied by the tool tip
    ::SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void DialogForm::SetClientTwips(int width, int height) {
    clientWidthTwips_ = width;
    clientHeightTwips_ = height;
    if (!hWnd()) return;
    RECT r{0, 0, ToPixels(width), ToPixels(height)};
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrW(hWnd(), GWL_EXSTYLE));
    ::AdjustWindowRectExForDpi(&r, style, FALSE, exStyle, Dpi());
    ::SetWindowPos(hWnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogForm::CentreOnScreen() {
    RECT r{};
    ::GetWindowRect(hWnd(), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    ::SetWindowPos(hWnd(), nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                   (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogForm::LayoutControls() {
    const UINT dpi = Dpi();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, dpi))
        font_.reset(::CreateFontIndirectW(&metrics.lfMessageFont));

    // Every rectangle at this DPI, labels widened to their text in this font.
    rects_.assign(table_.size(), {});
    std::vector<int> textWidths(table_.size(), 0), textHeights(table_.size(), 0);
    {
        const window_dc screen(nullptr);
        const select_object selected(screen.get(), font_ ? font_.get() : ::GetStockObject(DEFAULT_GUI_FONT));
        for (std::size_t i = 0; i < table_.size(); ++i) {
            rects_[i] = ClientPixels(table_, i, static_cast<int>(dpi));
            const std::wstring_view caption = table_[i].Caption;
            SIZE extent{};
            if (table_[i].Kind == ControlKind::Label && !caption.empty() &&
                ::GetTextExtentPoint32W(screen.get(), caption.data(), static_cast<int>(caption.size()),
                                        &extent)) {
                // A little room: at some sizes the drawn glyphs run a pixel past their measured extent.
                textWidths[i] = static_cast<int>(extent.cx + std::max<LONG>(1, extent.cy / 8));
                textHeights[i] = extent.cy;
            }
        }
    }
    WidenLabels(table_, rects_, textWidths, ::MulDiv(4, static_cast<int>(dpi), 96));
    for (std::size_t i = 0; i < rects_.size(); ++i)
        rects_[i].Height = std::max(rects_[i].Height, textHeights[i]); // descenders stay in view

    const int checkSide = ::MulDiv(13, static_cast<int>(dpi), 96);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        HWND control = controls_[i];
        if (!control) continue;
        PixelBox r = rects_[i];
        int height = r.Height;
        // An option is only its round button: the text beside it is its label's.
        if (table_[i].Kind == ControlKind::Option) r.Width = std::min(r.Width, checkSide + 1);
        // The height of a drop-down list is that of its open list; the closed box follows the font.
        if (table_[i].Kind == ControlKind::DropDownList) height = r.Height * 8;
        ::MoveWindow(control, r.Left, r.Top, r.Width, height, FALSE);
        if (font_) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        if (table_[i].Kind == ControlKind::DropDownList) {
            // The closed box keeps the height of its row: selection field plus its borders.
            const int border = 2 * ::GetSystemMetricsForDpi(SM_CYEDGE, dpi) + 2;
            ::SendMessageW(control, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                           std::max(1, r.Height - border));
        }
    }
    if (clientWidthTwips_) SetClientTwips(clientWidthTwips_, clientHeightTwips_);
    Form_Layout();
    ::InvalidateRect(hWnd(), nullptr, TRUE);
}

RECT DialogForm::ControlRect(std::wstring_view name) const {
    const auto index = FindControl(table_, name);
    if (!index || *index >= rects_.size()) return {};
    const PixelBox& r = rects_[*index];
    return {r.Left, r.Top, r.Left + r.Width, r.Top + r.Height};
}

void DialogForm::SetOption(std::wstring_view name, bool chosen) {
    const auto index = FindControl(table_, name);
    if (!index || !controls_[*index]) return;
    if (chosen) {
        // The group runs from its first option to the next control that is not an option.
        std::size_t first = *index;
        while (first > 0 && table_[first].Kind == ControlKind::Option && !(table_[first].Flags & kGroup))
            --first;
        for (std::size_t i = first; i < table_.size() && table_[i].Kind == ControlKind::Option; ++i) {
            if (i > first && (table_[i].Flags & kGroup)) break;
            ::SendMessageW(controls_[i], BM_SETCHECK, i == *index ? BST_CHECKED : BST_UNCHECKED, 0);
            // Tab lands on the chosen option of a group.
            const LONG_PTR style = ::GetWindowLongPtrW(controls_[i], GWL_STYLE);
            ::SetWindowLongPtrW(controls_[i], GWL_STYLE,
                                i == *index ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        }
    } else {
        ::SendMessageW(controls_[*index], BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

bool DialogForm::OptionChosen(std::wstring_view name) const {
    HWND control = Control(name);
    return control && ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void DialogForm::SetEnabled(std::wstring_view name, bool enabled) {
    if (HWND control = Control(name)) ::EnableWindow(control, enabled);
}

void DialogForm::SetText(std::wstring_view name, std::wstring_view text) {
    if (HWND control = Control(name)) ::SetWindowTextW(control, std::wstring(text).c_str());
}

std::wstring DialogForm::Text(std::wstring_view name) const {
    HWND control = Control(name);
    if (!control) return {};
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void DialogForm::ChooseOption(std::size_t index) {
    SetOption(table_[index].Name, true);
    Control_Event(table_[index].Name, BN_CLICKED);
}

void DialogForm::Paint() {
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(hWnd(), &ps);
    for (std::size_t i = 0; i < table_.size() && i < rects_.size(); ++i) {
        const PixelBox& p = rects_[i];
        RECT r{p.Left, p.Top, p.Left + p.Width, p.Top + p.Height};
        if (table_[i].Kind == ControlKind::Panel) ::DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
        if (table_[i].Kind == ControlKind::Picture) DrawPicture(table_[i].Name, dc, r);
        if (table_[i].Kind == ControlKind::Separator) ::DrawEdge(dc, &r, EDGE_ETCHED, BF_TOP);
        if (table_[i].Kind == ControlKind::Frame) DrawFrame(dc, r, table_[i].Caption);
        if (table_[i].Kind == ControlKind::Option && ::GetFocus() == controls_[i] && !LabelOf(i)) {
            const RECT cue = UnlabelledCue(i);
            ::DrawFocusRect(dc, &cue);
        }
    }
    ::EndPaint(hWnd(), &ps);
}

// An etched frame whose caption interrupts its top edge. The caption is drawn unclipped: at some sizes
// glyphs reach a pixel past their measured width.
void DialogForm::DrawFrame(HDC dc, const RECT& r, std::wstring_view caption) const {
    const select_object selected(dc, font_ ? font_.get() : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT text{};
    ::DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_CALCRECT);
    RECT edge = r;
    edge.top += (text.bottom - text.top) / 2;
    ::DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
    const int indent = ::MulDiv(6, static_cast<int>(Dpi()), 96);
    ::OffsetRect(&text, r.left + indent, r.top);
    const int overhang = (text.bottom - text.top) / 4;
    RECT behind{text.left - 2, text.top, text.right + 2 + overhang, text.bottom};
    ::FillRect(dc, &behind, ::GetSysColorBrush(COLOR_BTNFACE));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    ::DrawTextW(dc, caption.data(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_NOCLIP);
}

bool DialogForm::DrawItem(const DRAWITEMSTRUCT& item) {
    const std::size_t index = IndexOf(item.hwndItem);
    if (index >= controls_.size()) return false;
    if (table_[index].Kind == ControlKind::Label) {
        DrawLabel(item, index);
        return true;
    }
    if (table_[index].Kind == ControlKind::PictureButton) {
        DrawPictureButton(item, index);
        return true;
    }
    if (table_[index].Kind != ControlKind::ColourButton) return false;
    RECT r = item.rcItem;
    const bool pushed = item.itemState & ODS_SELECTED;
    ::DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int inset = std::max(3, ::MulDiv(4, static_cast<int>(Dpi()), 96));
    RECT face{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
    if (pushed) ::OffsetRect(&face, 1, 1);
    unique_hbrush brush(::CreateSolidBrush(ButtonColour(table_[index].Name)));
    ::FillRect(item.hDC, &face, brush.get());
    ::FrameRect(item.hDC, &face,
                HighContrast() ? ::GetSysColorBrush(COLOR_BTNTEXT)
                               : static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    if (item.itemState & ODS_FOCUS) {
        RECT focus{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
        ::DrawFocusRect(item.hDC, &focus);
    }
    return true;
}

// The picture fills what the caption leaves of the face, as a square centred above it.
void DialogForm::DrawPictureButton(const DRAWITEMSTRUCT& item, std::size_t index) {
    RECT r = item.rcItem;
    const bool pushed = item.itemState & ODS_SELECTED;
    ::DrawFrameControl(item.hDC, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    const int offset = pushed ? 1 : 0;
    const int margin = std::max(3, ::MulDiv(4, static_cast<int>(Dpi()), 96));
    const select_object selected(item.hDC, font_ ? font_.get() : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(item.hDC, &metrics);
    RECT text{r.left + margin + offset, r.bottom - margin - metrics.tmHeight + offset,
              r.right - margin + offset, r.bottom - margin + offset};
    const int side = std::max(0, std::min<int>(r.right - r.left - 2 * margin, text.top - r.top - 2 * margin));
    const int left = (r.left + r.right - side) / 2 + offset;
    DrawPicture(table_[index].Name, item.hDC,
                {left, r.top + margin + offset, left + side, r.top + margin + offset + side});
    ::SetBkMode(item.hDC, TRANSPARENT);
    ::SetTextColor(item.hDC, ::GetSysColor(item.itemState & ODS_DISABLED ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    const std::wstring_view caption = table_[index].Caption;
    ::DrawTextW(item.hDC, caption.data(), static_cast<int>(caption.size()), &text,
                DT_CENTER | DT_TOP | DT_SINGLELINE | (item.itemState & ODS_NOACCEL ? DT_HIDEPREFIX : 0));
    if (item.itemState & ODS_FOCUS) {
        RECT focus{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        ::DrawFocusRect(item.hDC, &focus);
    }
}

void DialogForm::DrawLabel(const DRAWITEMSTRUCT& item, std::size_t index) {
    RECT r = item.rcItem;
    ::FillRect(item.hDC, &r, ::GetSysColorBrush(COLOR_BTNFACE));
    const select_object selected(item.hDC, font_ ? font_.get() : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(item.hDC, TRANSPARENT);
    const bool enabled = ::IsWindowEnabled(item.hwndItem);
    ::SetTextColor(item.hDC, ::GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    const std::wstring_view caption = table_[index].Caption;
    RECT text = r;
    // A label's access key moves the focus to the control after it.
    const UINT prefix = item.itemState & ODS_NOACCEL ? DT_HIDEPREFIX : 0;
    ::DrawTextW(item.hDC, caption.data(), static_cast<int>(caption.size()), &text,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_CALCRECT | prefix);
    ::DrawTextW(item.hDC, caption.data(), static_cast<int>(caption.size()), &text,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP | prefix);
    HWND option = Control(table_[index].Buddy);
    if (option && ::GetFocus() == option) {
        ::IntersectRect(&text, &text, &r);
        ::DrawFocusRect(item.hDC, &text);
    }
}

std::optional<std::size_t> DialogForm::LabelOf(std::size_t option) const {
    for (std::size_t i = 0; i < table_.size(); ++i) {
        if (table_[i].Kind == ControlKind::Label && table_[i].Buddy == table_[option].Name) return i;
    }
    return std::nullopt;
}

// An option without a label of its own (a button beside it names it) shows its focus around its round
// button, on the form.
RECT DialogForm::UnlabelledCue(std::size_t option) const {
    RECT r{};
    ::GetWindowRect(controls_[option], &r);
    ::MapWindowPoints(nullptr, hWnd(), reinterpret_cast<POINT*>(&r), 2);
    const int margin = ::MulDiv(2, static_cast<int>(Dpi()), 96);
    ::InflateRect(&r, margin, margin);
    return r;
}

void DialogForm::InvalidateLabelOf(std::size_t option) {
    const auto label = LabelOf(option);
    if (label && controls_[*label]) {
        ::InvalidateRect(controls_[*label], nullptr, TRUE);
    } else if (!label) {
        const RECT cue = UnlabelledCue(option);
        ::InvalidateRect(hWnd(), &cue, TRUE);
    }
}

bool DialogForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (OnDialogMessage(message, wParam, lParam, result)) return true;
    switch (message) {
    case WM_COMMAND: {
        if (lParam == 0) return false; // menus and accelerators
        const std::size_t index = IndexOf(reinterpret_cast<HWND>(lParam));
        if (index >= controls_.size()) return false;
        const UINT code = HIWORD(wParam);
        if (table_[index].Kind == ControlKind::Label) {
            // A label chooses its option and gives it the focus, as a click on the option would: the
            // focus never stays on a control the choice disables.
            if (code == STN_CLICKED || code == STN_DBLCLK) {
                if (const auto buddy = FindControl(table_, table_[index].Buddy)) {
                    if (controls_[*buddy] && ::IsWindowVisible(hWnd())) ::SetFocus(controls_[*buddy]);
                    ChooseOption(*buddy);
                }
            }
        } else if (table_[index].Kind == ControlKind::Option) {
            if (code == BN_CLICKED) ChooseOption(index);
            if (code == BN_SETFOCUS || code == BN_KILLFOCUS) InvalidateLabelOf(index);
        } else {
            Control_Event(table_[index].Name, code);
        }
        result = 0;
        return true;
    }
    case DM_GETDEFID: {
        const bool hasDefault = std::any_of(table_.begin(), table_.end(),
                                            [](const ControlSpec& s) { return (s.Flags & kDefault) != 0; });
        result = hasDefault ? MAKELRESULT(IDOK, DC_HASDEFID) : 0;
        return true;
    }
    case WM_DRAWITEM:
        if (!DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return false;
        result = TRUE;
        return true;
    case WM_PAINT: Paint(); return true;
    case WM_ACTIVATE:
        // The focus goes back to the control that had it, as in a dialog box.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus && ::IsChild(hWnd(), focus)) lastFocus_ = focus;
        } else if (::IsWindowVisible(hWnd())) { // a hidden form takes no focus
            HWND focus = lastFocus_ && ::IsWindowEnabled(lastFocus_) && ::IsWindowVisible(lastFocus_)
                             ? lastFocus_
                             : ::GetNextDlgTabItem(hWnd(), nullptr, FALSE);
            if (focus) ::SetFocus(focus);
        }
        result = 0;
        return true;
    case WM_NEXTDLGCTL: {
        // Sent by the dialog manners for a label's access key: the focus goes to the label, then on
        // to the control after it, as in a dialog box.
        HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : ::GetNextDlgTabItem(hWnd(), ::GetFocus(), wParam != 0);
        if (next) ::SetFocus(next);
        result = 0;
        return true;
    }
    case WM_HELP: {
        const auto& info = *reinterpret_cast<const HELPINFO*>(lParam);
        if (info.iContextType == HELPINFO_WINDOW)
            Form_WhatsThis(HelpIdOf(static_cast<HWND>(info.hItemHandle)), info.MousePos);
        result = TRUE;
        return true;
    }
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(hWnd(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        LayoutControls();
        result = 0;
        return true;
    }
    default: return false;
    }
}

HWND DialogForm::ModalWindow() {
    const auto& dialogs = Dialogs();
    // A form shown from a modal one is made after it.
    const auto it =
        std::find_if(dialogs.rbegin(), dialogs.rend(), [](const DialogForm* d) { return d->modal_; });
    return it != dialogs.rend() ? (*it)->hWnd() : nullptr;
}

void DialogForm::ShowModal(HWND owner) {
    if (!hWnd() || modal_) return;
    modal_ = true;
    if (owner) {
        // Owned, it stays above the window it keeps disabled, and the platform knows where to find it.
        ::SetWindowLongPtrW(hWnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        ::EnableWindow(owner, FALSE);
    }
    SetVisible(true);
    ::SetForegroundWindow(hWnd());
    MSG msg;
    while (modal_ && Visible()) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam)); // the outer loop ends the program
            break;
        }
        if (got == -1) break;
        if (TranslateDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    modal_ = false;
    // The owner comes back before this window goes, so that it, and not another program, is activated.
    if (owner) ::EnableWindow(owner, TRUE);
    SetVisible(false);
}

void DialogForm::EndModal() {
    modal_ = false;
    SetVisible(false);
}

bool HighContrast() {
    HIGHCONTRASTW contrast{sizeof(contrast)};
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

bool TranslateDialogMessage(MSG& msg) {
    for (DialogForm* form : Dialogs()) {
        HWND dialog = form->hWnd();
        if (!dialog || (msg.hwnd != dialog && !::IsChild(dialog, msg.hwnd))) continue;
        if (msg.message == kKeyF1Message) return true;
        // A hidden form can still be the foreground window (the icon's menu makes it so): a key
        // typed then must not press its buttons or change its options unseen.
        if (!::IsWindowVisible(dialog)) return msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
        if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
            bool handled = false;
            form->Form_KeyDown(static_cast<UINT>(msg.wParam), handled);
            if (handled) return true;
            if (msg.message == WM_KEYDOWN && (msg.wParam == VK_F1 || msg.wParam == VK_F2)) {
                form->Form_Help(form->HelpIdOf(::GetFocus()));
                return true;
            }
        }
        return ::IsDialogMessageW(dialog, &msg) != FALSE;
    }
    return false;
}

} // namespace uplift::win

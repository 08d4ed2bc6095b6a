#include "controls/gradient_title.h"

#include "controls/caption_button_face.h"
#include "display/frm_message.h"
#include "display/screen.h"
#include "forms/form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace uplift::win {
namespace {

constexpr UINT_PTR kHostSubclassId = 0x47544954; // one subclass per host
const FontDescription kCaptionFont{L"MS Sans Serif", 8.25f, true};
const FontDescription kScalableCaptionFont{L"Microsoft Sans Serif", 8.25f, true};
constexpr COLORREF kCaptionColour = RGB(255, 255, 255);

bool EnsureTitleClassRegistered(WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(AppInstance(), kGradientTitleClass, &wc)) return true;
    wc.lpfnWndProc = proc;
    wc.hInstance = AppInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kGradientTitleClass;
    return ::RegisterClassExW(&wc) != 0;
}

RECT ToRect(const PixelRect& r, int dx = 0, int dy = 0) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

// Filled with the DC's own brush: no brush to create per colour.
void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    ::SetDCBrushColor(dc, colour);
    ::FillRect(dc, &rect, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
}

COLORREF InkColour(FaceInk ink) {
    switch (ink) {
    case FaceInk::Face: return ::GetSysColor(COLOR_BTNFACE);
    case FaceInk::Highlight: return ::GetSysColor(COLOR_BTNHIGHLIGHT);
    case FaceInk::Light: return ::GetSysColor(COLOR_3DLIGHT);
    case FaceInk::Shadow: return ::GetSysColor(COLOR_BTNSHADOW);
    case FaceInk::DarkShadow: return ::GetSysColor(COLOR_3DDKSHADOW);
    case FaceInk::Glyph: return ::GetSysColor(COLOR_BTNTEXT);
    case FaceInk::DisabledGlyph: return ::GetSysColor(COLOR_BTNSHADOW);
    }
    return ::GetSysColor(COLOR_BTNFACE);
}

UINT MouseButtonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: return MK_LBUTTON;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return MK_RBUTTON;
    default: return MK_MBUTTON;
    }
}

bool IsCaptionButton(GradientTitle::Element element) {
    using enum GradientTitle::Element;
    return element == CloseForm || element == Maximize || element == Minimize;
}

// "MS Sans Serif" is a raster face that comes in a few sizes only. Where it has none near the size
// asked for (other resolutions than its own), its scalable successor takes its place, so that the
// caption keeps its size and its bold weight and stays sharp.
unique_hfont CreateCaptionFont(int dpi) {
    unique_hfont font = CreateMessageFont(kCaptionFont, dpi, false);
    const unique_hdc dc(::CreateCompatibleDC(nullptr));
    if (!font || !dc) return font;
    TEXTMETRICW metrics{};
    {
        const select_object selected(dc.get(), font.get());
        if (!::GetTextMetricsW(dc.get(), &metrics)) return font;
    }
    const long asked = std::lround(kCaptionFont.Size * dpi / 72.0);
    const long found = metrics.tmHeight - metrics.tmInternalLeading;
    if ((metrics.tmPitchAndFamily & TMPF_VECTOR) || std::abs(found - asked) <= 1) return font;
    return CreateMessageFont(kScalableCaptionFont, dpi, false);
}

std::wstring WindowText(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(std::max(0, ::GetWindowTextLengthW(hwnd))) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

// The program's controls belong to it whether or not one of its windows hosts them: the program's
// link asks for this name, which keeps the bar in it.
extern "C" const int UpliftGradientTitleControl = 1;

GradientTitle::~GradientTitle() {
    if (host_) ::RemoveWindowSubclass(host_, &GradientTitle::HostProc, kHostSubclassId);
    // The window must not call back into a half-destroyed object.
    if (hwnd_) ::SetWindowLongPtrW(hwnd_.get(), GWLP_USERDATA, 0);
}

bool GradientTitle::Attach(HWND host) {
    if (host_ || !host || !::IsWindow(host)) return false;
    if (!EnsureTitleClassRegistered(&GradientTitle::WindowProc)) return false;
    if (!::CreateWindowExW(0, kGradientTitleClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                           host, nullptr, AppInstance(), this))
        return false;
    if (!::SetWindowSubclass(host, &GradientTitle::HostProc, kHostSubclassId,
                             reinterpret_cast<DWORD_PTR>(this))) {
        hwnd_.reset();
        return false;
    }
    host_ = host;
    HostForm_Load();
    return true;
}

std::optional<RECT> GradientTitle::ElementRect(Element element) const {
    if (!layout_) return std::nullopt;
    switch (element) {
    case Element::TitleBar: return ToRect(layout_->TitleBar);
    case Element::FormCaption: return ToRect(layout_->FormCaption);
    case Element::FormIcon: return ToRect(layout_->FormIcon);
    case Element::CloseForm: return ToRect(layout_->CloseForm);
    case Element::Maximize:
        if (buttons_.Maximize == ButtonShow::Hidden) return std::nullopt;
        return ToRect(layout_->Maximize);
    case Element::Minimize:
        if (buttons_.Minimize == ButtonShow::Hidden) return std::nullopt;
        return ToRect(layout_->Minimize);
    case Element::WhatsThisHelp:
        if (!buttons_.WhatsThisHelp) return std::nullopt;
        return ToRect(layout_->WhatsThisHelp);
    case Element::None: break;
    }
    return std::nullopt;
}

// --- the host's events ---------------------------------------------------------------------------

void GradientTitle::HostForm_Load() {
    const auto style = ::GetWindowLongPtrW(host_, GWL_STYLE);
    const auto exStyle = ::GetWindowLongPtrW(host_, GWL_EXSTYLE);
    const int mask = CaptionButtonMask((style & WS_MAXIMIZEBOX) != 0, (style & WS_MINIMIZEBOX) != 0);
    buttons_ = CaptionButtonsFor(mask, (exStyle & WS_EX_CONTEXTHELP) != 0);
    LayOutAndPaint();
    caption_ = WindowText(host_);
    ::SetWindowTextW(host_, L"");
    CopyHostIcon();
    ::InvalidateRect(hwnd_.get(), nullptr, FALSE);
}

void GradientTitle::HostForm_Resize() {
    LayOutAndPaint();
}

// Restoring a minimized host activates it: the next click on minimize minimizes it again.
void GradientTitle::HostForm_Activate() {
    minimized_ = false;
}

LRESULT CALLBACK GradientTitle::HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data) {
    auto* self = reinterpret_cast<GradientTitle*>(data);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(hwnd, &GradientTitle::HostProc, kHostSubclassId);
        self->host_ = nullptr;
        return ::DefSubclassProc(hwnd, message, wParam, lParam);
    }
    const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        // The maximize button follows the host's state, however it changed (the system menu, the
        // keyboard, the window manager): its face never offers to restore a window that is not
        // maximized.
        if (wParam == SIZE_MAXIMIZED) self->maximized_ = true;
        if (wParam == SIZE_RESTORED) self->maximized_ = false;
        self->HostForm_Resize();
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) self->HostForm_Activate();
        break;
    case WM_DPICHANGED: self->LayOutAndPaint(); break;
    default: break;
    }
    return result;
}

// --- the bar's window -------------------------------------------------------------------------------

LRESULT CALLBACK GradientTitle::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<GradientTitle*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_.reset(hwnd);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<GradientTitle*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // Destroyed with its host: forget the handle without destroying it again.
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self->hwnd_.get() == hwnd) (void)self->hwnd_.release();
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->OnMessage(message, wParam, lParam);
}

LRESULT GradientTitle::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: MouseDown(MouseButtonOf(message), at); return 0;
    case WM_MOUSEMOVE: MouseMove(wParam, at); return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: MouseUp(MouseButtonOf(message), at); return 0;
    case WM_CAPTURECHANGED:
        // Taken away mid-press (another window captured the mouse): the press ends without acting.
        if (reinterpret_cast<HWND>(lParam) != hwnd_.get()) EndPress();
        return 0;
    case WM_ERASEBKGND: return 1; // the painting covers the whole window
    case WM_PAINT: {
        // Each painting draws the whole bar: the region to update is only validated.
        const window_dc dc(hwnd_.get());
        Paint(dc.get());
        ::ValidateRect(hwnd_.get(), nullptr);
        return 0;
    }
    default: return ::DefWindowProcW(hwnd_.get(), message, wParam, lParam);
    }
}

// --- the elements' events --------------------------------------------------------------------------

// The position of the pointer when the bar or the caption is pressed; only differences are used, so
// the caption's events serve the bar unchanged.
void GradientTitle::picTitleBar_MouseDown(POINT at) {
    grab_ = at;
}

// The host moves by the pointer's travel from the grab point, so the bar follows the pointer.
void GradientTitle::picTitleBar_MouseMove(POINT at) {
    if (at.x == grab_.x && at.y == grab_.y) return;
    // A maximized or minimized window keeps its place, as it does under the system's own title bar.
    if (::IsZoomed(host_) || ::IsIconic(host_)) return;
    RECT rect{};
    if (!::GetWindowRect(host_, &rect)) return;
    if (::GetWindowLongPtrW(host_, GWL_STYLE) & WS_CHILD)
        ::MapWindowPoints(HWND_DESKTOP, ::GetParent(host_), reinterpret_cast<POINT*>(&rect), 2);
    ::SetWindowPos(host_, nullptr, rect.left - (grab_.x - at.x), rect.top - (grab_.y - at.y), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GradientTitle::imgCloseForm_MouseUp() {
    // Posted: the host's unload may destroy this bar, which must first finish handling the release.
    ::PostMessageW(host_, WM_CLOSE, 0, 0);
}

void GradientTitle::imgMaximize_MouseUp() {
    const bool maximize = !maximized_;
    ::ShowWindow(host_, maximize ? SW_MAXIMIZE : SW_RESTORE);
    maximized_ = maximize;
    LayOutAndPaint();
}

void GradientTitle::imgMinimize_MouseUp() {
    const bool minimize = !minimized_;
    ::ShowWindow(host_, minimize ? SW_MINIMIZE : SW_RESTORE);
    minimized_ = minimize;
    LayOutAndPaint();
}

void GradientTitle::imgWhatsThisHelpButton_MouseUp(UINT mouseButton) {
    if (mouseButton == MK_LBUTTON) ::PostMessageW(host_, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
}

// A press belongs to the element under the pointer until its mouse button is released; a caption
// button shows its pressed face while the pointer is over it and acts only when released over it,
// so a press can still be taken back by moving away.
void GradientTitle::MouseDown(UINT mouseButton, POINT at) {
    if (pressed_ != Element::None || !host_) return;
    Element element = HitTest(at);
    switch (element) {
    case Element::TitleBar:
    case Element::FormCaption:
        picTitleBar_MouseDown(at);
        element = Element::TitleBar;
        break;
    case Element::CloseForm:
    case Element::Maximize:
    case Element::Minimize: faceDown_ = true; break;
    case Element::WhatsThisHelp: break;
    default: return;
    }
    pressed_ = element;
    pressedWith_ = mouseButton;
    ::SetCapture(hwnd_.get());
    if (faceDown_) ::RedrawWindow(hwnd_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void GradientTitle::MouseMove(WPARAM buttonsHeld, POINT at) {
    if (pressed_ == Element::TitleBar) {
        if (buttonsHeld & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) picTitleBar_MouseMove(at);
    } else if (IsCaptionButton(pressed_)) {
        const auto rect = ElementRect(pressed_);
        const bool over = rect && ::PtInRect(&*rect, at);
        if (over != faceDown_) {
            faceDown_ = over;
            ::RedrawWindow(hwnd_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
    }
}

void GradientTitle::MouseUp(UINT mouseButton, POINT at) {
    if (pressed_ == Element::None || mouseButton != pressedWith_) return;
    const Element element = pressed_;
    const auto rect = ElementRect(element);
    const bool over = rect && ::PtInRect(&*rect, at);
    EndPress();
    if (!over) return;
    switch (element) {
    case Element::CloseForm: imgCloseForm_MouseUp(); break;
    case Element::Maximize: imgMaximize_MouseUp(); break;
    case Element::Minimize: imgMinimize_MouseUp(); break;
    case Element::WhatsThisHelp: imgWhatsThisHelpButton_MouseUp(mouseButton); break;
    default: break;
    }
}

void GradientTitle::EndPress() {
    if (pressed_ == Element::None) return;
    pressed_ = Element::None;
    if (::GetCapture() == hwnd_.get()) ::ReleaseCapture();
    if (std::exchange(faceDown_, false))
        ::RedrawWindow(hwnd_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// Buttons lie over the caption and the caption over the bar. A disabled button takes no press of its
// own: its press goes to the bar beneath, as a disabled control's does.
GradientTitle::Element GradientTitle::HitTest(POINT at) const {
    if (!layout_) return Element::None;
    const auto over = [&](const PixelRect& r) {
        return at.x >= r.Left && at.x < r.Right && at.y >= r.Top && at.y < r.Bottom;
    };
    if (!over(layout_->TitleBar)) return Element::None;
    if (over(layout_->CloseForm)) return Element::CloseForm;
    if (buttons_.Maximize == ButtonShow::Enabled && over(layout_->Maximize)) return Element::Maximize;
    if (buttons_.Minimize == ButtonShow::Enabled && over(layout_->Minimize)) return Element::Minimize;
    if (buttons_.WhatsThisHelp && over(layout_->WhatsThisHelp)) return Element::WhatsThisHelp;
    if (over(layout_->FormIcon)) return Element::FormIcon;
    if (over(layout_->FormCaption)) return Element::FormCaption;
    return Element::TitleBar;
}

// --- layout and painting -----------------------------------------------------------------------------

void GradientTitle::LayOutAndPaint() {
    if (!host_ || !hwnd_) return;
    int dpi = static_cast<int>(::GetDpiForWindow(host_));
    if (dpi <= 0) dpi = ScreenDpi();
    if (dpi != dpi_) {
        dpi_ = dpi;
        font_ = CreateCaptionFont(dpi);
        if (icon_) CopyHostIcon();
    }
    RECT client{};
    ::GetClientRect(host_, &client);
    auto layout = LayOutTitle(client.right - client.left, buttons_, dpi);
    if (!layout) return; // no width (a minimized host): nothing to lay out or paint
    layout_ = std::move(layout);
    const PixelRect& control = layout_->Control;
    ::SetWindowPos(hwnd_.get(), HWND_TOP, control.Left, control.Top, control.Right - control.Left,
                   control.Bottom - control.Top, SWP_NOACTIVATE);
    ::RedrawWindow(hwnd_.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// A copy of the host's icon at the size of imgFormIcon, taken from the icon's resource when it has
// one, so that it is drawn from its own image of that size rather than scaled.
void GradientTitle::CopyHostIcon() {
    HICON source = reinterpret_cast<HICON>(::SendMessageW(host_, WM_GETICON, ICON_SMALL, 0));
    if (!source) source = reinterpret_cast<HICON>(::SendMessageW(host_, WM_GETICON, ICON_BIG, 0));
    if (!source) source = reinterpret_cast<HICON>(::GetClassLongPtrW(host_, GCLP_HICONSM));
    if (!source) source = reinterpret_cast<HICON>(::GetClassLongPtrW(host_, GCLP_HICON));
    icon_.reset();
    if (!source) return;
    const int side = TwipsToPixels(240, dpi_);
    HANDLE copy = ::CopyImage(source, IMAGE_ICON, side, side, LR_COPYFROMRESOURCE);
    if (!copy) copy = ::CopyImage(source, IMAGE_ICON, side, side, 0);
    icon_.reset(static_cast<HICON>(copy));
}

void GradientTitle::Paint(HDC target) const {
    RECT client{};
    ::GetClientRect(hwnd_.get(), &client);
    // Drawn off screen and copied in one piece: a drag repaints the bar often and must not flicker.
    const unique_hdc memory(::CreateCompatibleDC(target));
    const unique_hbitmap bitmap(::CreateCompatibleBitmap(target, client.right, client.bottom));
    if (!memory || !bitmap) return;
    HDC dc = memory.get();
    const select_object selectedBitmap(dc, bitmap.get());
    Fill(dc, client, ::GetSysColor(COLOR_BTNFACE));
    if (layout_) {
        const PixelRect& bar = layout_->TitleBar;
        // Like the elements of a picture box, nothing is drawn outside the bar.
        ::IntersectClipRect(dc, bar.Left, bar.Top, bar.Right, bar.Bottom);
        for (const GradientBand& band : GradientBands(bar.Right - bar.Left, dpi_))
            Fill(dc, {bar.Left + band.Left, bar.Top, bar.Left + band.Right, bar.Bottom},
                 RGB(band.Red, band.Green, band.Blue));
        const PixelRect& icon = layout_->FormIcon;
        if (icon_)
            ::DrawIconEx(dc, icon.Left, icon.Top, icon_.get(), icon.Right - icon.Left, icon.Bottom - icon.Top,
                         0, nullptr, DI_NORMAL);
        if (!caption_.empty() && font_) {
            const select_object selectedFont(dc, font_.get());
            ::SetTextColor(dc, kCaptionColour);
            ::SetBkMode(dc, TRANSPARENT);
            RECT rect = ToRect(layout_->FormCaption);
            // The caption is the host's text: an ampersand in it is shown, not taken for an access key.
            ::DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rect,
                        DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        PaintButton(dc, Element::WhatsThisHelp,
                    buttons_.WhatsThisHelp ? ButtonShow::Enabled : ButtonShow::Hidden);
        PaintButton(dc, Element::Minimize, buttons_.Minimize);
        PaintButton(dc, Element::Maximize, buttons_.Maximize);
        PaintButton(dc, Element::CloseForm, ButtonShow::Enabled);
    }
    ::BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

void GradientTitle::PaintButton(HDC dc, Element element, ButtonShow show) const {
    if (show == ButtonShow::Hidden) return;
    const auto rect = ElementRect(element);
    if (!rect) return;
    CaptionFace face = CaptionFace::WhatsThisHelp;
    if (element == Element::CloseForm) face = CaptionFace::CloseForm;
    if (element == Element::Maximize) face = maximized_ ? CaptionFace::Normalize : CaptionFace::Maximize;
    if (element == Element::Minimize) face = CaptionFace::Minimize;
    const bool down = pressed_ == element && faceDown_;
    for (const FacePiece& piece : CaptionButtonFace(face, down, show == ButtonShow::Enabled,
                                                    rect->right - rect->left, rect->bottom - rect->top))
        Fill(dc, ToRect(piece.Rect, rect->left, rect->top), InkColour(piece.Ink));
}

} // namespace uplift::win

#pragma once
// GradientTitle: a title bar that the program draws itself across the top of the window hosting it,
// a gradient from blue to black with the host's icon and caption and caption buttons whose faces are
// drawn in code at the screen's resolution. Dragging the bar moves the host; the buttons close,
// maximize or restore, minimize the host or put it into What's-This help mode.
//
// The host is any top-level window without a title bar of its own. Its maximize, minimize and
// What's-This styles choose the buttons; the bar takes over its caption (leaving the host's own
// empty) and a copy of its icon, and follows its size, activation and resolution.

#include "controls/gradient_title_layout.h"
#include "forms/unique_handle.h"

#include <windows.h>

#include <optional>
#include <string>

namespace uplift::win {

inline constexpr wchar_t kGradientTitleClass[] = L"UpliftBeacon.GradientTitle";

class GradientTitle {
public:
    enum class Element {
        None,
        TitleBar,
        FormCaption,
        FormIcon,
        CloseForm,
        Maximize,
        Minimize,
        WhatsThisHelp
    };

    GradientTitle() = default;
    GradientTitle(const GradientTitle&) = delete;
    GradientTitle& operator=(const GradientTitle&) = delete;
    ~GradientTitle();

    // The host's load: creates the bar on `host` and attaches it to the host's events. Returns false
    // when the bar is attached already or its window cannot be made.
    bool Attach(HWND host);

    HWND hWnd() const { return hwnd_.get(); }
    HWND Host() const { return host_; }
    bool MaximizedFlag() const { return maximized_; }
    bool MinimizedFlag() const { return minimized_; }
    // The text that lblFormCaption shows: the host's caption when it was attached.
    const std::wstring& Caption() const { return caption_; }
    // Where an element stands in the bar's window, in pixels; nothing when it is hidden or nothing
    // has been laid out yet.
    std::optional<RECT> ElementRect(Element element) const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void HostForm_Load();
    void HostForm_Resize();
    void HostForm_Activate();
    void picTitleBar_MouseDown(POINT at);
    void picTitleBar_MouseMove(POINT at);
    void imgCloseForm_MouseUp();
    void imgMaximize_MouseUp();
    void imgMinimize_MouseUp();
    void imgWhatsThisHelpButton_MouseUp(UINT mouseButton);

    void MouseDown(UINT mouseButton, POINT at);
    void MouseMove(WPARAM buttonsHeld, POINT at);
    void MouseUp(UINT mouseButton, POINT at);
    void EndPress();
    Element HitTest(POINT at) const;

    void LayOutAndPaint();
    void CopyHostIcon();
    void Paint(HDC target) const;
    void PaintButton(HDC dc, Element element, ButtonShow show) const;

    HWND host_ = nullptr;
    unique_hwnd hwnd_;
    CaptionButtons buttons_;
    std::optional<TitleLayout> layout_;
    int dpi_ = 0;
    unique_hfont font_;
    unique_hicon icon_;
    std::wstring caption_;
    bool maximized_ = false;
    bool minimized_ = false;
    // The element that holds the mouse from a press to its release, and the mouse button that pressed.
    Element pressed_ = Element::None;
    UINT pressedWith_ = 0;
    bool faceDown_ = false;
    POINT grab_{};
};

} // namespace uplift::win

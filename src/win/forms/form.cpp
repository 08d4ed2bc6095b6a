#include "forms/form.h"

#include "forms/dialog_form.h"

#include <exception>
#include <utility>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace uplift::win {

HINSTANCE AppInstance() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

namespace {

bool EnsureClassRegistered(const FormStyle& style, WNDPROC proc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof(existing);
    if (::GetClassInfoExW(AppInstance(), style.ClassName, &existing)) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = AppInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = style.Icon;
    wc.hIconSm = style.Icon;
    wc.lpszClassName = style.ClassName;
    return ::RegisterClassExW(&wc) != 0;
}

std::function<void()>& FailureHook() {
    static std::function<void()> hook;
    return hook;
}

bool failureReported = false;

} // namespace

void SetFailureHook(std::function<void()> hook) {
    FailureHook() = std::move(hook);
}

void ReportFailure(std::string_view what) noexcept {
    if (std::exchange(failureReported, true)) return;
    bool saved = false;
    try {
        if (FailureHook()) {
            FailureHook()();
            saved = true;
        }
    } catch (...) {
        // The user is told all the same.
    }
    constexpr UINT kFlags = MB_OK | MB_ICONERROR | MB_TASKMODAL;
    try {
        // The standard library's messages are plain ASCII.
        std::wstring text = L"Uplift Beacon Plus must close after an error: ";
        text.append(what.begin(), what.end());
        text += saved ? L"\n\nYour settings have been saved." : L"";
        ::MessageBoxW(nullptr, text.c_str(), L"Uplift Beacon Plus", kFlags);
    } catch (...) {
        // Out of memory, most likely: a message that needs none.
        ::MessageBoxW(nullptr, L"Uplift Beacon Plus must close after an error.", L"Uplift Beacon Plus",
                      kFlags);
    }
    ::PostQuitMessage(kFailureExitCode);
}

Form::~Form() {
    // The window must not call back into a half-destroyed object.
    if (hwnd_) ::SetWindowLongPtrW(hwnd_.get(), GWLP_USERDATA, 0);
}

void Form::SetVisible(bool visible) {
    if (hwnd_) ::ShowWindow(hwnd_.get(), visible ? SW_SHOW : SW_HIDE);
}

bool Form::LoadForm(const FormStyle& style, std::wstring_view caption, RECT pixels) {
    if (hwnd_) return true;
    if (!EnsureClassRegistered(style, &Form::WindowProc)) return false;
    const std::wstring title(caption);
    HWND hwnd = ::CreateWindowExW(style.ExStyle, style.ClassName, title.c_str(), style.Style & ~WS_VISIBLE,
                                  pixels.left, pixels.top, pixels.right - pixels.left,
                                  pixels.bottom - pixels.top, style.Owner, nullptr, AppInstance(), this);
    if (!hwnd) return false;
    // WM_NCCREATE has stored the handle already; the owner takes it over here.
    Form_Load();
    return true;
}

bool Form::Unload() {
    if (!hwnd_ || unloading_) return !hwnd_;
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel) return false;
    unloading_ = true;
    Form_Unload();
    hwnd_.reset();
    unloading_ = false;
    return true;
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_.reset(hwnd);
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form || (failureReported && message != WM_NCDESTROY))
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return form->HandleMessage(hwnd, message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportFailure(e.what());
    } catch (...) {
        ReportFailure("an unknown error");
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Form::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (OnMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_CLOSE: Unload(); return 0;
    case WM_TIMER: Form_Timer(wParam); return 0;
    case WM_NCDESTROY:
        // Destroyed from outside (not through Unload): forget the handle without destroying it again.
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (hwnd_.get() == hwnd) (void)hwnd_.release();
        break;
    default: break;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

void Timer::SetEnabled(bool enabled) {
    HWND hwnd = owner_.hWnd();
    if (enabled) {
        // SetTimer on an existing id restarts its interval.
        enabled_ = hwnd && ::SetTimer(hwnd, id_, interval_, nullptr) != 0;
    } else {
        if (enabled_ && hwnd) ::KillTimer(hwnd, id_);
        enabled_ = false;
    }
}

void DoEvents() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (TranslateDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

int RunMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return 1;
        if (TranslateDialogMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

decltype(&::MessageBoxW)& MessageBoxCall() {
    static decltype(&::MessageBoxW) call = ::MessageBoxW;
    return call;
}

int MsgBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) {
    const std::wstring t(text), c(caption);
    return MessageBoxCall()(owner, t.c_str(), c.c_str(), flags);
}

} // namespace uplift::win

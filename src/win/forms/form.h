#pragma once
// A form: one top-level window bound to an object whose members handle its messages.
// Load creates the window, Unload asks Form_QueryUnload and then destroys it, as forms do.

#include "forms/unique_handle.h"

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace uplift::win {

HINSTANCE AppInstance();

struct FormStyle {
    const wchar_t* ClassName;
    DWORD Style = WS_OVERLAPPEDWINDOW;
    DWORD ExStyle = 0;
    HICON Icon = nullptr;
    HWND Owner = nullptr; // stays above it and leaves the task bar to it
};

class Form {
public:
    Form() = default;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;
    virtual ~Form();

    HWND hWnd() const { return hwnd_.get(); }
    bool Loaded() const { return static_cast<bool>(hwnd_); }
    bool Visible() const { return hwnd_ && ::IsWindowVisible(hwnd_.get()); }
    void SetVisible(bool visible);

    // Asks Form_QueryUnload; unless it cancels, runs Form_Unload and destroys the window.
    // Returns whether the form is unloaded afterwards.
    bool Unload();

protected:
    // Creates the window hidden; `Form_Load` runs once the window exists.
    bool LoadForm(const FormStyle& style, std::wstring_view caption, RECT pixels);

    virtual void Form_Load() {}
    virtual void Form_QueryUnload(bool& /*cancel*/) {}
    virtual void Form_Unload() {}
    virtual void Form_Timer(UINT_PTR /*id*/) {}
    // Messages a form handles beyond the standard ones; return false to let the default run.
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    unique_hwnd hwnd_;
    bool unloading_ = false;
};

// A timer that ticks on a form's window; the form's Form_Timer receives `id`.
class Timer {
public:
    Timer(const Form& owner, UINT_PTR id, UINT interval) : owner_(owner), id_(id), interval_(interval) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    ~Timer() { SetEnabled(false); }

    bool Enabled() const { return enabled_; }
    // Enabling a running timer starts its interval again.
    void SetEnabled(bool enabled);
    UINT_PTR Id() const { return id_; }

private:
    const Form& owner_;
    UINT_PTR id_;
    UINT interval_;
    bool enabled_ = false;
};

// Handles the window messages that are waiting, then returns. Leaves WM_QUIT in the queue.
void DoEvents();

// Runs the message loop until WM_QUIT; returns its exit code.
int RunMessageLoop();

int MsgBox(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags = MB_OK);
// The platform call through which MsgBox shows every message box; a test may count them here.
decltype(&::MessageBoxW)& MessageBoxCall();

// A handler that throws never unwinds through the platform: the window procedure catches it and
// calls ReportFailure, which runs the hook (the main form saves the settings there), tells the user
// what failed, and ends the message loop with kFailureExitCode. Only the first failure does this;
// from then on the forms leave their messages to the default handling.
inline constexpr int kFailureExitCode = 3;
void SetFailureHook(std::function<void()> hook);
void ReportFailure(std::string_view what) noexcept;

} // namespace uplift::win

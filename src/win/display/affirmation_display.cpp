#include "display/affirmation_display.h"

#include "display/affirmation_choice.h"
#include "display/monitor.h"
#include "display/transparent_region.h"
#include "forms/form.h"
#include "schedule/durations.h"

#include <algorithm>
#include <utility>

namespace uplift::win {
namespace {

using namespace std::chrono_literals;

// The key state is looked at this often at most, in case the keyboard hook is gone: the platform
// removes a low-level hook that answers too slowly, and tells nobody.
constexpr auto kKeyStateLook = 250ms;
// The deadline's timer wakes the hold this long before the end, and the rest is waited out on the
// clock: the platform's timers end up to a millisecond late.
constexpr auto kFinalStretch = 1500us;

#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

// A timer that wakes one wait, at an end finer than the thread's time slices where the platform
// has that.
unique_kernel_handle CreateDeadlineTimer() {
    unique_kernel_handle timer(
        ::CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS));
    if (!timer) timer.reset(::CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS));
    return timer;
}

bool ArmTimer(HANDLE timer, std::chrono::steady_clock::duration after) {
    // Relative times are negative, in 100 ns units.
    const auto units =
        std::chrono::duration_cast<std::chrono::duration<long long, std::ratio<1, 10'000'000>>>(after);
    LARGE_INTEGER due;
    due.QuadPart = -std::max<long long>(units.count(), 1);
    return ::SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE) != FALSE;
}

// Debug output (the platform's debugger channel; Wine prints only the narrow form).
void Trace(const std::string& line) {
    ::OutputDebugStringA(line.c_str());
}

// For the length of a showing, our key-state queries share the foreground thread's input, so
// Escape pressed in the user's program is seen while that program keeps the focus. Attached in
// this direction the foreground window stays what it was; the other direction loses it under Wine.
class InputAttachment {
public:
    InputAttachment() {
        HWND foreground = ::GetForegroundWindow();
        if (!foreground) return;
        const DWORD thread = ::GetWindowThreadProcessId(foreground, nullptr);
        const DWORD own = ::GetCurrentThreadId();
        if (thread == 0 || thread == own) return;
        if (::AttachThreadInput(own, thread, TRUE)) {
            own_ = own;
            foreground_ = thread;
        }
    }
    InputAttachment(const InputAttachment&) = delete;
    InputAttachment& operator=(const InputAttachment&) = delete;
    ~InputAttachment() {
        if (foreground_) ::AttachThreadInput(own_, foreground_, FALSE);
    }

private:
    DWORD own_ = 0;
    DWORD foreground_ = 0;
};

// DoEvents leaves WM_QUIT waiting: the program is ending and no showing should hold it up.
bool QuitRequested() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

std::chrono::milliseconds TimeLength(const SettingsRecord& settings) {
    const auto value = ItemValue(kTimeLengths, settings.Time);
    return std::chrono::milliseconds(value.value_or(kTimeLengths[kDefaultTimeIndex].Value));
}

} // namespace

// Escape pressed during the showing ends it; a key still held down from before it does not, until
// it has been let go (it may be the press that ended the previous showing). A low-level keyboard
// hook hears the key as it is typed, whichever program has the focus; the key state, looked at now
// and then, is the fallback for a hook that is gone or could not be set.
class EscapeWatch {
public:
    explicit EscapeWatch(bool hook) {
        (void)::GetAsyncKeyState(VK_ESCAPE); // forget a press from before the showing
        held_ = hookHeld_ = Down(::GetAsyncKeyState(VK_ESCAPE));
        if (!hook) return;
        hook_.reset(::SetWindowsHookExW(WH_KEYBOARD_LL, KeyboardProc, AppInstance(), 0));
        if (hook_)
            active_ = this;
        else
            Trace("Uplift Beacon: no keyboard hook (error " + std::to_string(::GetLastError()) +
                  "); Escape is seen by looking at the key state\n");
    }
    EscapeWatch(const EscapeWatch&) = delete;
    EscapeWatch& operator=(const EscapeWatch&) = delete;
    ~EscapeWatch() {
        if (active_ == this) active_ = nullptr;
    }

    bool Hooked() const { return static_cast<bool>(hook_); }
    // Heard by the hook since the showing began.
    bool Heard() const { return heard_; }
    // The slow look at the key state.
    bool Pressed() {
        const SHORT async = ::GetAsyncKeyState(VK_ESCAPE);
        const bool down = Down(async);
        if (held_) {
            held_ = down;
            return false;
        }
        // The asynchronous state's low bit catches a press made between two looks.
        return down || (async & 0x0001) != 0;
    }

private:
    static bool Down(SHORT async) {
        return (::GetKeyState(VK_ESCAPE) & 0x8000) != 0 || (async & 0x8000) != 0;
    }
    // Runs on this thread while it waits for messages; it only notes the key, which goes on to the
    // program the user is typing in.
    static LRESULT CALLBACK KeyboardProc(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && active_) {
            const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
            if (key->vkCode == VK_ESCAPE) {
                if (key->flags & LLKHF_UP)
                    active_->hookHeld_ = false;
                else if (!active_->hookHeld_)
                    active_->heard_ = true;
            }
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline EscapeWatch* active_ = nullptr; // showings do not nest
    unique_hhook hook_;
    bool held_ = false;     // for the key state
    bool hookHeld_ = false; // for the hook
    bool heard_ = false;
};

AffirmationDisplay::AffirmationDisplay(MonotonicClock clock, EscapeSense escape)
    : clock_(std::move(clock)), escapeSense_(escape) {}

AffirmationDisplay::~AffirmationDisplay() {
    if (frmMessage_) frmMessage_->Unload();
}

bool AffirmationDisplay::MessageWindowLoaded() const {
    return frmMessage_ && frmMessage_->Loaded();
}

void AffirmationDisplay::UnloadMessageWindow() {
    if (showing_) {
        // The showing still uses the window; it ends at its next pass and takes the window along.
        unloadWhenDone_ = true;
        return;
    }
    if (frmMessage_) frmMessage_->Unload();
    frmMessage_.reset();
}

void AffirmationDisplay::ShowAffirmation(DisplayHost& host) {
    // Messages are handled inside a showing (the message box, the preparation, the holding
    // loop); a tick or a Test arriving there must not start a second showing in the first.
    if (showing_) return;
    showing_ = true;
    struct EndOfShowing {
        AffirmationDisplay& display;
        ~EndOfShowing() {
            display.showing_ = false;
            if (std::exchange(display.unloadWhenDone_, false)) display.UnloadMessageWindow();
        }
    } end{*this};

    const SettingsRecord& settings = host.Settings();
    const AffirmationChoice choice = ChooseAffirmation(settings, host.Messages(), random_);
    // On the monitor the user works on.
    const MonitorArea monitor = ForegroundMonitor();
    // A window prepared for another text, look or monitor (a Test with edits that were then cancelled,
    // a list that changed, the user's program moved) is prepared again.
    if (choice.DiscardWindow ||
        (choice.Text && frmMessage_ && !frmMessage_->PreparedFor(*choice.Text, settings, monitor))) {
        if (frmMessage_) frmMessage_->Unload();
        frmMessage_.reset();
    }
    if (!choice.Text) {
        MsgBox(host.OwnerWindow(), kNoMessageText, kNoMessageCaption, MB_ICONEXCLAMATION | MB_OK);
        return;
    }

    const InputAttachment attachment;

    if (!MessageWindowLoaded()) {
        auto window = std::make_unique<frmMessage>();
        if (!window->PrepareMessageWindow(*choice.Text, settings, monitor)) return; // nothing to show
        frmMessage_ = std::move(window);
        DoEvents();
        // Discarded meanwhile (the options' OK, the end of the program): show nothing.
        if (unloadWhenDone_ || !MessageWindowLoaded()) return;
        if (frmMessage_->Style() == ScreenBackground::Transparent) MakeTransparent(*frmMessage_);
    }
    frmMessage& window = *frmMessage_;

    if (host.OptionsVisible()) host.HideOptions();
    const PixelRect rect = MessageWindowRect(monitor.Rect, window.Style() == ScreenBackground::BackgroundFull,
                                             window.Width(), window.Height());
    host.StopDisplay() = false;
    host.StopTimer();
    const std::chrono::milliseconds length = TimeLength(settings);
    const bool untilEscape = settings.optESC();

    // Watched from before the window shows: an Escape typed as soon as it appears ends it.
    EscapeWatch escape(escapeSense_ == EscapeSense::HookAndKeyState);
    // Placed first, then shown: the call that shows it then does little else, and the length counts
    // from just before it.
    ::SetWindowPos(window.hWnd(), HWND_TOPMOST, rect.Left, rect.Top, rect.Right - rect.Left,
                   rect.Bottom - rect.Top, SWP_NOACTIVATE);
    const auto start = clock_();
    ::SetWindowPos(window.hWnd(), HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    const auto showCall = clock_() - start;
    const int wakes = Hold(host, start, length, untilEscape, escape);
    if (window.Loaded()) {
        ::SetWindowPos(window.hWnd(), nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
    const auto held = std::chrono::duration_cast<std::chrono::milliseconds>(clock_() - start);
    host.StopDisplay() = false;
    host.StartTimer();
    Trace("Uplift Beacon: showing held " + std::to_string(held.count()) + " ms, " + std::to_string(wakes) +
          " wakes" + (escape.Hooked() ? "" : ", no hook") + ", shown in " +
          std::to_string(std::chrono::duration_cast<std::chrono::microseconds>(showCall).count()) + " us" +
#ifdef UPLIFT_COUNT_GDI_OBJECTS
          ", " + std::to_string(LiveGdiObjects()) + " GDI objects" +
#endif
          "\n");
}

int AffirmationDisplay::Hold(DisplayHost& host, std::chrono::steady_clock::time_point start,
                             std::chrono::milliseconds length, bool untilEscape, EscapeWatch& escape) {
    using Duration = std::chrono::steady_clock::duration;
    const auto deadline = start + length;
    auto nextLook = start + kKeyStateLook;
    if (!untilEscape && !deadlineTimer_) deadlineTimer_ = CreateDeadlineTimer();
    const HANDLE timer =
        !untilEscape && deadlineTimer_ && ArmTimer(deadlineTimer_.get(), deadline - clock_() - kFinalStretch)
            ? deadlineTimer_.get()
            : nullptr;

    int wakes = 0;
    for (;;) {
        DoEvents();
        if (host.StopDisplay() || unloadWhenDone_ || QuitRequested()) break;
        const auto now = clock_();
        if (escape.Heard() || (now >= nextLook && escape.Pressed())) {
            host.StopDisplay() = true;
            break;
        }
        if (now >= nextLook) nextLook = now + kKeyStateLook;

        Duration wait = nextLook - now;
        if (!untilEscape) {
            const Duration remaining = deadline - now;
            if (remaining <= kFinalStretch) {
                // Too short to sleep on: wait it out on the clock.
                while (clock_() < deadline)
                    YieldProcessor();
                break;
            }
            // The timer wakes the wait at the end; without one, the wait's own time-out does, coarser.
            if (!timer) wait = std::min(wait, remaining - kFinalStretch);
        }
        // Rounded up: a wait cut to 0 ms would turn the last fraction of a millisecond into a busy loop.
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
        const DWORD handles = timer ? 1 : 0;
        ::MsgWaitForMultipleObjectsEx(handles, &timer, static_cast<DWORD>(std::max<long long>(ms, 0)),
                                      QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        ++wakes;
    }
    return wakes;
}

} // namespace uplift::win

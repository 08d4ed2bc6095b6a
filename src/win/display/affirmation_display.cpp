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

// Longest single wait of the holding loop: Escape and the clock are looked at this often at least.
constexpr auto kWaitSlice = 10ms;

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
// it has been let go (it may be the press that ended the previous showing).
class EscapeWatch {
public:
    EscapeWatch() {
        (void)::GetAsyncKeyState(VK_ESCAPE); // forget a press from before the showing
        held_ = Down(::GetAsyncKeyState(VK_ESCAPE));
    }
    bool Pressed() {
        const SHORT async = ::GetAsyncKeyState(VK_ESCAPE);
        const bool down = Down(async);
        if (held_) {
            held_ = down;
            return false;
        }
        // The asynchronous state's low bit catches a press shorter than one pass of the loop.
        return down || (async & 0x0001) != 0;
    }

private:
    static bool Down(SHORT async) {
        return (::GetKeyState(VK_ESCAPE) & 0x8000) != 0 || (async & 0x8000) != 0;
    }
    bool held_ = false;
};

AffirmationDisplay::AffirmationDisplay(MonotonicClock clock) : clock_(std::move(clock)) {}

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
    EscapeWatch escape;
    ::SetWindowPos(window.hWnd(), HWND_TOPMOST, rect.Left, rect.Top, rect.Right - rect.Left,
                   rect.Bottom - rect.Top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    Hold(host, length, untilEscape, escape);

    host.StopDisplay() = false;
    host.StartTimer();
    if (window.Loaded()) {
        ::SetWindowPos(window.hWnd(), nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    }
}

void AffirmationDisplay::Hold(DisplayHost& host, std::chrono::milliseconds length, bool untilEscape,
                              EscapeWatch& escape) {
    const auto start = clock_();
    const auto remaining = [&] { return length - (clock_() - start); };

    while ((untilEscape || remaining() > 0ms) && !host.StopDisplay() && !unloadWhenDone_) {
        DoEvents();
        if (QuitRequested()) break;
        if (escape.Pressed()) {
            host.StopDisplay() = true;
            break;
        }
        // Sleep until a message arrives or the slice is over; under a millisecond, no wait at all.
        const auto wait =
            untilEscape ? kWaitSlice : std::min<std::chrono::steady_clock::duration>(remaining(), kWaitSlice);
        if (wait >= 1ms) {
            const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(wait).count();
            ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ms), QS_ALLINPUT,
                                          MWMO_INPUTAVAILABLE);
        }
    }
}

} // namespace uplift::win

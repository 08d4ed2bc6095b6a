#pragma once
// Showing an affirmation: choosing the text, preparing the message window when it is not
// loaded, and holding it on screen, topmost and without the focus, for the time length or
// until Escape or a stop request.

#include "affirmations/random.h"
#include "display/frm_message.h"
#include "forms/unique_handle.h"
#include "settings/settings_record.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace uplift::win {

inline constexpr wchar_t kNoMessageCaption[] = L"Uplift Beacon Plus";
inline constexpr wchar_t kNoMessageText[] = L"No Message To Display!";

// What a showing needs of the main form. The timer and options members have the signatures
// of the scheduler's host, so one override serves both.
class DisplayHost {
public:
    virtual const SettingsRecord& Settings() const = 0;
    virtual const std::vector<std::wstring>& Messages() const = 0;
    // Set while a showing runs to end it at the next pass of the holding loop.
    virtual bool& StopDisplay() = 0;
    virtual bool OptionsVisible() const = 0;
    virtual void HideOptions() = 0;
    virtual void StopTimer() = 0;
    virtual void StartTimer() = 0;
    // The owner of the "No Message To Display!" box.
    virtual HWND OwnerWindow() const = 0;

protected:
    ~DisplayHost() = default;
};

// Time without a daily wrap, so that a showing across midnight ends by time.
using MonotonicClock = std::function<std::chrono::steady_clock::time_point()>;

class EscapeWatch;

// How a showing learns of Escape: a keyboard hook with a slow look at the key state behind it, or
// the slow look alone (as when the hook cannot be set).
enum class EscapeSense { HookAndKeyState, KeyStateOnly };

class AffirmationDisplay {
public:
    explicit AffirmationDisplay(MonotonicClock clock = std::chrono::steady_clock::now,
                                EscapeSense escape = EscapeSense::HookAndKeyState);
    AffirmationDisplay(const AffirmationDisplay&) = delete;
    AffirmationDisplay& operator=(const AffirmationDisplay&) = delete;
    ~AffirmationDisplay();

    // Returns once the affirmation has left the screen. A call made while a showing runs (from
    // a message handled inside it) returns at once.
    void ShowAffirmation(DisplayHost& host);

    // Discards the message window so that the next showing prepares it afresh. During a
    // showing the window goes when that showing ends, which is at once.
    void UnloadMessageWindow();
    bool MessageWindowLoaded() const;
    bool Showing() const { return showing_; }

    // The prepared window, or null.
    const frmMessage* MessageWindow() const { return frmMessage_.get(); }

private:
    // Waits for input, the end of the time length and (at most four times a second) the key state;
    // returns how often it woke.
    int Hold(DisplayHost& host, std::chrono::steady_clock::time_point start, std::chrono::milliseconds length,
             bool untilEscape, EscapeWatch& escape);

    MonotonicClock clock_;
    EscapeSense escapeSense_;
    unique_kernel_handle deadlineTimer_;
    UniformRandom random_;
    std::unique_ptr<frmMessage> frmMessage_;
    bool showing_ = false;
    bool unloadWhenDone_ = false;
};

} // namespace uplift::win

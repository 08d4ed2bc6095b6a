#pragma once
// The session, power and clock notifications of the main window, and the state they leave: whether the
// session is locked, the display off, the machine asleep or just awake.

#include "forms/unique_handle.h"
#include "schedule/session_events.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>

namespace uplift::win {

namespace detail {
void UnregisterSessionNotification(HWND window);
inline void UnregisterPowerNotification(HPOWERNOTIFY h) {
    ::UnregisterPowerSettingNotification(h);
}
} // namespace detail

class SessionWatch {
public:
    using MonotonicNow = std::function<std::chrono::steady_clock::time_point()>;

    explicit SessionWatch(MonotonicNow now = std::chrono::steady_clock::now) : now_(std::move(now)) {}

    // Asks the system to tell `window` about locks, connections and the console display; both requests
    // end with Stop or the object. Failures leave the program as it was without them.
    void Start(HWND window);
    void Stop();

    // The event that a message of the main window stands for, if any.
    static std::optional<SessionEvent> EventOf(UINT message, WPARAM wParam, LPARAM lParam);
    SessionEffect Apply(SessionEvent event) { return state_.Apply(event, now_()); }
    // The screen saver is looked at only here, when a showing is due or pending.
    void AddHolds(Holds& holds) const;

private:
    MonotonicNow now_;
    SessionState state_;
    // The display's state notification comes first, because it sends the current state at once.
    unique_handle<HPOWERNOTIFY, detail::UnregisterPowerNotification> display_;
    unique_handle<HWND, detail::UnregisterSessionNotification> session_;
};

} // namespace uplift::win

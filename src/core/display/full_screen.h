#pragma once
// Whether the user is in a full-screen program (a slide show, a game, a video, a remote desktop): the
// foreground window covers its whole monitor without a caption, or the platform says so.

#include <cstdint>
#include <optional>
#include <string>

namespace uplift {

struct ScreenRect {
    long Left = 0, Top = 0, Right = 0, Bottom = 0;
};

struct ForegroundWindow {
    ScreenRect Window;
    ScreenRect Monitor; // the whole monitor that holds most of the window
    std::uint32_t Style = 0;
    std::wstring ClassName;
    bool IsDesktop = false; // the desktop window itself
};

// Covering the monitor is not enough: a maximized window keeps its caption, and the desktop and the
// task bar cover their monitor without one.
bool IsFullScreenWindow(const ForegroundWindow& window);

// The user notification states that mean "do not disturb": busy, a full-screen Direct3D program, and
// presentation mode.
bool IsQuietNotificationState(int state);

// What the platform says; asked only when a showing is due or pending.
class FullScreenSource {
public:
    virtual ~FullScreenSource() = default;
    virtual std::optional<ForegroundWindow> Foreground() const = 0;
    // None when the platform cannot tell.
    virtual std::optional<int> NotificationState() const = 0;
};

// Both looks: some platforms (Wine among them) always answer that notifications are welcome.
bool FullScreenProgramRuns(const FullScreenSource& source);

} // namespace uplift

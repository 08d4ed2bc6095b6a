#pragma once
// What the platform says about the foreground window and the user's notification state.

#include "display/full_screen.h"

namespace uplift::win {

class WindowsFullScreenSource final : public FullScreenSource {
public:
    std::optional<ForegroundWindow> Foreground() const override;
    std::optional<int> NotificationState() const override;
};

} // namespace uplift::win

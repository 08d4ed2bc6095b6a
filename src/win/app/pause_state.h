#pragma once
// The user's timed pause and the quiet during full-screen programs, kept under the program's own key
// (never among the options): "PausedUntil", a REG_SZ of the end in UTC ("yyyy-mm-ddThh:mm:ssZ", empty
// when no pause runs), and "QuietDuringFullScreen", a REG_DWORD 1 or 0.

#include "common/time_zone.h"
#include "schedule/clock.h"
#include "schedule/pause.h"

#include <cstdint>
#include <optional>

namespace uplift::win {

class PauseState {
public:
    // Reads both values: the pause goes on across an exit, a restart and a log-off.
    PauseState(const Clock& clock, const TimeZone& zone);

    // Until its end has passed; a cheap look, made at every tick.
    bool Running() const { return end_ && clock_.UtcSeconds() < *end_; }
    std::int64_t End() const { return end_.value_or(0); }
    // A new end from now, replacing any running pause.
    void Start(PauseChoice choice);
    void Resume();

    bool Quiet() const { return quiet_; }
    void SetQuiet(bool quiet);

private:
    const Clock& clock_;
    const TimeZone& zone_;
    std::optional<std::int64_t> end_;
    bool quiet_ = true;
};

} // namespace uplift::win

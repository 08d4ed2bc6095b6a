#pragma once
// The scheduler's view of time, injected so that tests can drive it second by second.

#include "common/date_time.h"

#include <cstdint>

namespace uplift {

class Clock {
public:
    virtual ~Clock() = default;
    // Local time of day in seconds with its fraction; restarts at 0 at midnight.
    virtual float SecondsSinceMidnight() const = 0;
    // Local date and time in whole seconds.
    virtual DateTime Now() const = 0;
    // UTC in whole seconds since 30 December 1899: what a daylight-saving change does not move.
    virtual std::int64_t UtcSeconds() const = 0;
};

} // namespace uplift

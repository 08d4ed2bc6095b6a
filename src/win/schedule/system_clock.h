#pragma once
// The local wall clock.

#include "schedule/clock.h"

namespace uplift::win {

class SystemClock final : public Clock {
public:
    float SecondsSinceMidnight() const override;
    DateTime Now() const override;
    std::int64_t UtcSeconds() const override;
};

} // namespace uplift::win

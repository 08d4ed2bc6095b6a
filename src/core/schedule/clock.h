#pragma once
// The scheduler's view of time, injected so that tests can drive it second by second.

#include "common/date_time.h"

namespace uplift {

class Clock {
public:
    virtual ~Clock() = default;
    // Local time of day in seconds with its fraction; restarts at 0 at midnight.
    virtual float SecondsSinceMidnight() const = 0;
    // Local date and time in whole seconds.
    virtual DateTime Now() const = 0;
};

// A clock that stands still until told otherwise.
class ManualClock final : public Clock {
public:
    explicit ManualClock(CivilDateTime start = {2026, 12, 6, 12, 0, 0, 0}) { Set(start); }
    void Set(const CivilDateTime& local) { now_ = local; }
    void Set(DateTime local) { now_ = ToCivil(local); }
    void AdvanceMilliseconds(long long ms) { Set(FromCivil(now_) + static_cast<double>(ms) / 86'400'000.0); }
    void AdvanceSeconds(long long s) { AdvanceMilliseconds(s * 1000); }
    const CivilDateTime& Local() const { return now_; }

    float SecondsSinceMidnight() const override {
        return static_cast<float>(now_.Hour * 3600 + now_.Minute * 60 + now_.Second +
                                  now_.Millisecond / 1000.0);
    }
    DateTime Now() const override {
        CivilDateTime whole = now_;
        whole.Millisecond = 0;
        return FromCivil(whole);
    }

private:
    CivilDateTime now_;
};

} // namespace uplift

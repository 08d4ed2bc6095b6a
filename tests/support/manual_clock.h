#pragma once
// A clock that stands still until the test moves it.

#include "schedule/clock.h"

namespace uplift {

class ManualClock final : public Clock {
public:
    explicit ManualClock(CivilDateTime start = {2026, 12, 6, 12, 0, 0, 0}) : now_(start) {}
    void Set(const CivilDateTime& local) { now_ = local; }
    void AdvanceMilliseconds(long long ms) {
        now_ = ToCivil(FromCivil(now_) + static_cast<double>(ms) / 86'400'000.0);
    }
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

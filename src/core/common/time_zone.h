#pragma once
// The user's time zone as moments in whole seconds since 30 December 1899: the same count read on a
// UTC clock or on the local wall clock. The program asks the platform; tests switch daylight saving
// where they like.

#include <cstdint>

namespace uplift {

class TimeZone {
public:
    virtual ~TimeZone() = default;
    virtual std::int64_t ToLocal(std::int64_t utc) const = 0;
    // A wall-clock time that daylight saving skips or repeats goes as the platform decides.
    virtual std::int64_t ToUtc(std::int64_t local) const = 0;
};

} // namespace uplift

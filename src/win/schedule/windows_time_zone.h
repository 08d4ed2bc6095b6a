#pragma once
// The user's time zone through the platform's conversions, daylight-saving rules included.

#include "common/time_zone.h"

namespace uplift::win {

class WindowsTimeZone final : public TimeZone {
public:
    std::int64_t ToLocal(std::int64_t utc) const override;
    std::int64_t ToUtc(std::int64_t local) const override;
};

} // namespace uplift::win

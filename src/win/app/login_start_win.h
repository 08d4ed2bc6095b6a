#pragma once
// Start at login through the current user's Run key, for the executable that runs now: installed or a
// portable copy alike.

#include <string>

namespace uplift::win {

// The Run value names exePath and the platform's start-up list has not switched it off.
bool LoginStartOn(const std::wstring& exePath);

// On: writes the Run value for exePath and clears a switched-off mark; off: removes both. False when the
// registry refused.
bool SetLoginStart(const std::wstring& exePath, bool on);

} // namespace uplift::win

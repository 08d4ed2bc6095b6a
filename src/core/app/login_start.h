#pragma once
// Start at login: the value that the platform's Run key holds for the program, and whether what is stored
// there starts this very executable.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace uplift {

// The value's name under the Run key and under the start-up list that can disable it.
inline constexpr std::wstring_view kLoginStartName = L"Uplift Beacon Plus";

// What the Run value holds for an executable: its full path in quotes.
std::wstring LoginStartCommand(std::wstring_view exePath);

// True when the stored command starts exePath (quoted or not, in any letter case; arguments after a
// quoted path do not matter) and the start-up list's entry (`approved`, empty when there is none) does not
// disable it: an odd first byte marks an entry the user has switched off.
bool StartsAtLogin(const std::optional<std::wstring>& command, std::span<const std::uint8_t> approved,
                   std::wstring_view exePath);

} // namespace uplift

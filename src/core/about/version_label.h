#pragma once
// The about box's version line, from the program's file version.

#include <cstdint>
#include <string>

namespace uplift {

// "Version major.minor.revision" of a file version given as its two 32-bit halves, major and minor
// in the high one, build and revision in the low one. The build number is not shown.
std::wstring VersionLabel(std::uint32_t versionHigh, std::uint32_t versionLow);

} // namespace uplift

#pragma once
// The about box's version line, from the program's file version.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace uplift {

// "Version major.minor.revision" of a file version given as its two 32-bit halves, major and minor
// in the high one, build and revision in the low one. The build number is not shown.
std::wstring VersionLabel(std::uint32_t versionHigh, std::uint32_t versionLow);

struct FileVersion {
    std::uint32_t High = 0;
    std::uint32_t Low = 0;
};

// The file version in a version resource as the program stores it (VS_VERSIONINFO, little-endian):
// read here rather than through the platform's version library, which would be one more DLL to load.
// Nothing for a block that is not such a resource.
std::optional<FileVersion> FileVersionOf(std::span<const std::byte> resource);

} // namespace uplift

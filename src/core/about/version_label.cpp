#include "about/version_label.h"

#include <string_view>

namespace uplift {

namespace {

constexpr std::u16string_view kVersionKey = u"VS_VERSION_INFO";
constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kHeaderBytes = 6;     // length, value length, type: three 16-bit words
constexpr std::size_t kFixedInfoBytes = 52; // VS_FIXEDFILEINFO: thirteen 32-bit words

std::uint32_t Read(std::span<const std::byte> bytes, std::size_t at, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = (value << 8) | std::to_integer<std::uint32_t>(bytes[at + i]);
    return value;
}

} // namespace

std::wstring VersionLabel(std::uint32_t versionHigh, std::uint32_t versionLow) {
    return L"Version " + std::to_wstring(versionHigh >> 16) + L"." + std::to_wstring(versionHigh & 0xFFFF) +
           L"." + std::to_wstring(versionLow & 0xFFFF);
}

std::optional<FileVersion> FileVersionOf(std::span<const std::byte> resource) {
    // The key with its terminating NUL, then the fixed part at the next 32-bit boundary.
    const std::size_t keyEnd = kHeaderBytes + 2 * (kVersionKey.size() + 1);
    const std::size_t fixed = (keyEnd + 3) & ~std::size_t{3};
    if (resource.size() < fixed + kFixedInfoBytes || Read(resource, 0, 2) < fixed + kFixedInfoBytes ||
        Read(resource, 2, 2) < kFixedInfoBytes)
        return std::nullopt;
    for (std::size_t i = 0; i <= kVersionKey.size(); ++i) {
        const char16_t expected = i < kVersionKey.size() ? kVersionKey[i] : u'\0';
        if (Read(resource, kHeaderBytes + 2 * i, 2) != expected) return std::nullopt;
    }
    if (Read(resource, fixed, 4) != kFixedSignature) return std::nullopt;
    return FileVersion{Read(resource, fixed + 8, 4), Read(resource, fixed + 12, 4)};
}

} // namespace uplift

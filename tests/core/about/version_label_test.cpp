#include "about/version_label.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>
#include <vector>

namespace uplift {
namespace {

using namespace std::literals;

// As the resource compiler lays it out: header, key, padding, fixed part with file version 1.1.0.3. Each
// damage {offset, byte, size} after the first makes it no version resource: wrong key, signature or value
// length, cut short.
TEST(VersionLabel, ComesFromTheFixedPartOfTheResourceOnly) {
    constexpr std::array<std::array<std::size_t, 3>, 5> kDamages{
        {{0, 92, 92}, {8, 'X', 92}, {41, 0, 92}, {2, 40, 92}, {0, 92, 91}}};
    for (const auto& [at, byte, size] : kDamages) {
        std::vector<std::byte> bytes(92);
        const auto put = [&](std::size_t offset, std::u16string_view words) {
            for (char16_t word : words) {
                bytes[offset++] = std::byte(word & 0xFF);
                bytes[offset++] = std::byte(word >> 8);
            }
        };
        put(0, u"\x5C\x34"sv);
        put(6, u"VS_VERSION_INFO"sv);
        put(40, u"\x4BD\xFEEF\0\0\x1\x1\x3\0"sv);
        bytes[at] = std::byte(byte);
        bytes.resize(size);
        const auto version = FileVersionOf(bytes);
        const bool whole = &at == &kDamages[0][0];
        EXPECT_EQ(version ? VersionLabel(version->High, version->Low) : L"", whole ? L"Version 1.1.3" : L"")
            << at;
    }
}

} // namespace
} // namespace uplift

#include "about/version_label.h"

#include <gtest/gtest.h>

#include <vector>

namespace uplift {
namespace {

// A version resource as the resource compiler lays it out: header, key, padding, fixed part (file version
// 1.1.0.3), nothing after it.
std::vector<std::byte> Resource() {
    std::vector<std::byte> bytes(92, std::byte{0});
    const auto put = [&](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes[at + i] = std::byte(value >> (8 * i) & 0xFF);
    };
    put(0, 92, 2);
    put(2, 52, 2);
    const std::u16string_view key = u"VS_VERSION_INFO";
    for (std::size_t i = 0; i < key.size(); ++i)
        put(6 + 2 * i, key[i], 2);
    put(40, 0xFEEF04BD, 4);
    put(48, 0x00010001, 4);
    put(52, 0x00000003, 4);
    return bytes;
}

TEST(VersionLabel, ComesFromTheFixedPartOfTheResourceOnly) {
    const auto version = FileVersionOf(Resource());
    ASSERT_TRUE(version);
    EXPECT_EQ(VersionLabel(version->High, version->Low), L"Version 1.1.3");
    struct Damage {
        std::size_t At;
        std::uint8_t Byte;
        std::size_t Size;
    };
    // A wrong key, a wrong signature, a value too short, a block cut short.
    for (const Damage& d : {Damage{8, 'X', 92}, Damage{41, 0, 92}, Damage{2, 40, 92}, Damage{0, 92, 91}}) {
        std::vector<std::byte> bytes = Resource();
        bytes[d.At] = std::byte{d.Byte};
        bytes.resize(d.Size);
        EXPECT_FALSE(FileVersionOf(bytes)) << "damage at " << d.At;
    }
}

} // namespace
} // namespace uplift

#include "about/version_label.h"

#include <gtest/gtest.h>

#include <array>

namespace uplift {
namespace {

struct VersionCase {
    std::uint32_t High, Low;
    const wchar_t* Label;
};

TEST(VersionLabel, MajorMinorAndRevisionWithoutTheBuild) {
    constexpr std::array<VersionCase, 3> kCases{{
        {0x00010001, 0x00000003, L"Version 1.1.3"},  // 1.1.0.3
        {0x000A0000, 0x00070000, L"Version 10.0.0"}, // 10.0.7.0: the build is not shown
        {0xFFFFFFFF, 0xFFFFFFFF, L"Version 65535.65535.65535"},
    }};
    for (const VersionCase& c : kCases)
        EXPECT_EQ(VersionLabel(c.High, c.Low), c.Label) << std::hex << c.High << " " << c.Low;
}

} // namespace
} // namespace uplift

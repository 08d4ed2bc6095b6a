#include "app/login_start.h"

#include <gtest/gtest.h>

#include <vector>

namespace uplift {

TEST(LoginStart, OnOnlyWhenTheRunValueStartsThisExecutableAndTheStartUpListHasNotSwitchedItOff) {
    constexpr std::wstring_view kExe =
        L"C:\\Users\\Ann\\AppData\\Local\\Programs\\Uplift Beacon Plus\\UpliftBeacon.exe";
    EXPECT_EQ(LoginStartCommand(kExe), L"\"" + std::wstring(kExe) + L"\"");
    const std::vector<std::uint8_t> enabled{2, 0, 0, 0}, disabled{3, 0, 0, 0, 1, 2, 3, 4}, empty;
    struct Case {
        std::optional<std::wstring> command;
        const std::vector<std::uint8_t>* approved;
        bool on;
    };
    const Case kCases[]{
        {LoginStartCommand(kExe), nullptr, true},
        {L"  \"c:/users/ann/appdata/local/programs/UPLIFT BEACON PLUS/upliftbeacon.exe\" /minimized ",
         nullptr, true},
        {std::wstring(kExe), &enabled, true},
        {LoginStartCommand(kExe), &empty, true},
        {LoginStartCommand(kExe), &disabled, false},
        {std::nullopt, nullptr, false},
        {L"", nullptr, false},
        {L"\"C:\\Users\\Ann\\Desktop\\Uplift\\UpliftBeacon.exe\"", nullptr,
         false},                                      // a portable copy elsewhere
        {L"\"" + std::wstring(kExe), nullptr, false}, // no closing quote
        {std::wstring(kExe) + L".bak", nullptr, false},
    };
    for (const Case& c : kCases) {
        const auto approved =
            c.approved ? std::optional<std::span<const std::uint8_t>>(*c.approved) : std::nullopt;
        EXPECT_EQ(StartsAtLogin(c.command, approved, kExe), c.on)
            << testing::PrintToString(c.command.value_or(L"(none)")) << " approved "
            << (c.approved ? c.approved->size() : 0);
    }
    EXPECT_FALSE(StartsAtLogin(LoginStartCommand(kExe), std::nullopt, L""));
}

} // namespace uplift

#include "app/login_start.h"

#include <gtest/gtest.h>

#include <vector>

namespace uplift {

TEST(LoginStart, OnOnlyWhenTheRunValueStartsThisExecutableAndTheStartUpListHasNotSwitchedItOff) {
    const std::wstring exe =
        L"C:\\Users\\Ann\\AppData\\Local\\Programs\\Uplift Beacon Plus\\UpliftBeacon.exe";
    const std::vector<std::uint8_t> enabled{2, 0, 0, 0}, disabled{3, 0, 0, 0, 1, 2, 3, 4};
    const std::tuple<std::optional<std::wstring>, const std::vector<std::uint8_t>*, bool> kCases[]{
        {LoginStartCommand(exe), nullptr, true},
        {L" \"c:/users/ann/appdata/local/programs/UPLIFT BEACON PLUS/upliftbeacon.exe\" /minimized", &enabled,
         true},
        {LoginStartCommand(exe), &disabled, false},
        {std::nullopt, nullptr, false},
        {L"\"D:\\Uplift\\UpliftBeacon.exe\"", nullptr, false}, // a portable copy elsewhere
        {L"\"" + exe, nullptr, false},                         // no closing quote
        {exe + L".bak", nullptr, false},
    };
    for (const auto& [command, approved, on] : kCases) {
        const auto list = approved ? std::optional<std::span<const std::uint8_t>>(*approved) : std::nullopt;
        EXPECT_EQ(StartsAtLogin(command, list, exe), on) << testing::PrintToString(command.value_or(L"-"));
    }
}

} // namespace uplift

#include "about/version_label.h"
#include "app/login_start.h"
#include "app/program_folder.h"
#include "app/tray.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string_view>
#include <vector>

namespace uplift {

using namespace std::literals;

TEST(ProgramFolder, DropsTheFileNameAndTheSeparatorButKeepsARootAndTheHelpFileFollowsWithOneSeparator) {
    constexpr std::tuple<const wchar_t*, const wchar_t*, const wchar_t*> kCases[]{
        {L"D:/UpliftBeacon.exe", L"D:/", L"D:/UpliftBeacon.chm::/TextPopups.Txt"},
        {L"C:\\Tools\\\\UpliftBeacon.exe", L"C:\\Tools", L"C:\\Tools\\UpliftBeacon.chm::/TextPopups.Txt"},
        {L"\\UpliftBeacon.exe", L"\\", L"\\UpliftBeacon.chm::/TextPopups.Txt"},
        {L"UpliftBeacon.exe", L"", L"UpliftBeacon.chm::/TextPopups.Txt"},
        {L"C:UpliftBeacon.exe", L"C:", L"C:UpliftBeacon.chm::/TextPopups.Txt"},
    };
    for (const auto& [exe, folder, help] : kCases) {
        EXPECT_EQ(ProgramFolderOf(exe), folder) << testing::PrintToString(std::wstring(exe));
        EXPECT_EQ(HelpFileOf(folder), help) << testing::PrintToString(std::wstring(folder));
    }
}

TEST(TrayTip, LeavesRoomForTheClosingNulWithoutCuttingASurrogatePair) {
    const std::wstring x62(62, L'x');
    const std::pair<std::wstring, std::wstring> cases[]{
        {std::wstring(64, L'x'), x62 + L'x'},
        {x62 + L"\xDBFF\xDFFF", x62},
        {x62 + L"\xD800\xDC00", x62}, // the cut falls inside a pair: both halves go
        {x62.substr(1) + L"\xD83D\xDE00", x62.substr(1) + L"\xD83D\xDE00"}}; // a whole pair up to the limit
    for (const auto& [tip, shown] : cases)
        EXPECT_EQ(TrayTipText(tip), shown) << tip.size();
}

TEST(LoginStart, OnOnlyWhenTheRunValueStartsThisExecutableAndTheStartUpListHasNotSwitchedItOff) {
    const std::wstring exe =
        L"C:\\Users\\Ann\\AppData\\Local\\Programs\\Uplift Beacon Plus\\UpliftBeacon.exe";
    const std::vector<std::uint8_t> enabled{2, 0, 0, 0}, disabled{3, 0, 0, 0, 1, 2, 3, 4};
    // clang-format off
    const std::tuple<std::optional<std::wstring>, std::vector<std::uint8_t>, bool> kCases[]{
        {LoginStartCommand(exe), {}, true}, {LoginStartCommand(exe), disabled, false}, {std::nullopt, {}, false},
        {exe + L".bak", {}, false},
        {L" \"c:/users/ann/appdata/local/programs/UPLIFT BEACON PLUS/upliftbeacon.exe\" /minimized", enabled, true},
        {L"\"D:\\Uplift\\UpliftBeacon.exe\"", {}, false}, {L"\"" + exe, {}, false}}; // a copy elsewhere; no end quote
    // clang-format on
    for (const auto& [command, approved, on] : kCases)
        EXPECT_EQ(StartsAtLogin(command, approved, exe), on)
            << testing::PrintToString(command.value_or(L"-"));
}

// The resource's words: lengths, the key at byte 6, the fixed part (signature, version 1.1.0.3) at byte 40.
// Each damage {offset, byte, size} after the first spoils the key, the signature, the length or cuts a byte.
TEST(VersionLabel, ComesFromTheFixedPartOfTheResourceOnly) {
    constexpr std::u16string_view kWords = u"\x5C\x34\0VS_VERSION_INFO\0\0\x4BD\xFEEF\0\0\x1\x1\x3"sv;
    constexpr std::size_t kDamages[][3]{{0, 92, 92}, {8, 'X', 92}, {41, 0, 92}, {2, 40, 92}, {0, 92, 91}};
    for (const auto& [at, byte, size] : kDamages) {
        std::vector<std::byte> bytes(92);
        std::memcpy(bytes.data(), kWords.data(), 2 * kWords.size()); // little-endian, as the resource is
        bytes[at] = std::byte(byte);
        bytes.resize(size);
        const auto version = FileVersionOf(bytes);
        const bool whole = &at == &kDamages[0][0];
        EXPECT_EQ(version ? VersionLabel(version->High, version->Low) : L"", whole ? L"Version 1.1.3" : L"")
            << at;
    }
}

} // namespace uplift

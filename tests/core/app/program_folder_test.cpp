#include "app/program_folder.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

TEST(ProgramFolder, DropsTheFileNameAndTheSeparatorButKeepsARoot) {
    constexpr std::pair<const wchar_t*, const wchar_t*> kCases[]{
        {L"C:\\Program Files\\Uplift Beacon\\UpliftBeacon.exe", L"C:\\Program Files\\Uplift Beacon"},
        {L"C:\\UpliftBeacon.exe", L"C:\\"},
        {L"D:/Tools/UpliftBeacon.exe", L"D:/Tools"},
        {L"D:/UpliftBeacon.exe", L"D:/"},
        {L"C:\\Tools\\\\UpliftBeacon.exe", L"C:\\Tools"},
        {L"\\\\server\\share\\x.exe", L"\\\\server\\share"},
        {L"\\UpliftBeacon.exe", L"\\"},
        {L"UpliftBeacon.exe", L""},
        {L"C:UpliftBeacon.exe", L"C:"},
    };
    for (const auto& [exe, folder] : kCases)
        EXPECT_EQ(ProgramFolderOf(exe), folder) << testing::PrintToString(std::wstring(exe));
}

TEST(ProgramFolder, HelpFileFollowsWithOneSeparator) {
    constexpr std::pair<const wchar_t*, const wchar_t*> kCases[]{
        {L"C:\\Program Files\\Uplift Beacon",
         L"C:\\Program Files\\Uplift Beacon\\UpliftBeacon.chm::/TextPopups.Txt"},
        {L"C:\\", L"C:\\UpliftBeacon.chm::/TextPopups.Txt"},
        {L"D:/", L"D:/UpliftBeacon.chm::/TextPopups.Txt"},
        {L"", L"UpliftBeacon.chm::/TextPopups.Txt"},
        {L"C:", L"C:UpliftBeacon.chm::/TextPopups.Txt"},
    };
    for (const auto& [folder, help] : kCases)
        EXPECT_EQ(HelpFileOf(folder), help) << testing::PrintToString(std::wstring(folder));
}

} // namespace
} // namespace uplift

#include "app/program_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace uplift {
namespace {

std::string Narrow(std::wstring_view text) {
    return {text.begin(), text.end()};
}

struct FolderCase {
    const wchar_t* ExePath;
    const wchar_t* Folder;
};

TEST(ProgramFolderOf, DropsTheFileNameAndTheSeparator) {
    constexpr FolderCase cases[]{
        {L"C:\\Program Files\\Uplift Beacon\\UpliftBeacon.exe", L"C:\\Program Files\\Uplift Beacon"},
        {L"C:\\UpliftBeacon.exe", L"C:\\"},
        {L"D:/Tools/UpliftBeacon.exe", L"D:/Tools"},
        {L"D:/UpliftBeacon.exe", L"D:/"},
        {L"C:\\Tools\\\\UpliftBeacon.exe", L"C:\\Tools"},
        {L"\\\\server\\share\\x.exe", L"\\\\server\\share"},
        {L"\\\\server\\share\\apps\\x.exe", L"\\\\server\\share\\apps"},
        {L"\\UpliftBeacon.exe", L"\\"},
        {L"UpliftBeacon.exe", L""},
        {L"C:UpliftBeacon.exe", L"C:"},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramFolderOf(c.ExePath), c.Folder) << Narrow(c.ExePath);
}

TEST(HelpFileOf, AppendsTheHelpFileWithOneSeparator) {
    constexpr FolderCase cases[]{
        {L"C:\\Program Files\\Uplift Beacon",
         L"C:\\Program Files\\Uplift Beacon\\UpliftBeacon.chm::/TextPopups.Txt"},
        {L"C:\\", L"C:\\UpliftBeacon.chm::/TextPopups.Txt"},
        {L"D:/", L"D:/UpliftBeacon.chm::/TextPopups.Txt"},
        {L"\\\\server\\share", L"\\\\server\\share\\UpliftBeacon.chm::/TextPopups.Txt"},
        {L"", L"UpliftBeacon.chm::/TextPopups.Txt"},
        {L"C:", L"C:UpliftBeacon.chm::/TextPopups.Txt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HelpFileOf(c.ExePath), c.Folder) << Narrow(c.ExePath);
}

} // namespace
} // namespace uplift

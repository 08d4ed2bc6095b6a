// Saving the list with each file call made to fail in turn, through the list editor's OK, with its
// message boxes counted.

#include "affirmations/frm_list.h"
#include "affirmations/list_file_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

namespace uplift::win {
namespace {

std::set<std::pair<std::string, int>> faults; // call and which of its calls fails
std::map<std::string, int> made;
int boxes = 0;

bool Fails(const char* call) {
    if (!faults.contains({call, ++made[call]})) return false;
    ::SetLastError(ERROR_DISK_FULL);
    return true;
}
#define FAULTY(call, failure)                                                                                \
    calls.call = [](auto... a) { return Fails(#call) ? failure : ListFileCalls{}.call(a...); }

std::string Read(const std::filesystem::path& at) {
    std::ifstream in(at, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SaveFaults, AFailedStepKeepsTheListAndItsNamesLeavesNothingBehindAndIsToldOnce) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("UpliftSaveFaults" + std::to_string(::GetCurrentProcessId()));
    std::filesystem::create_directory(folder);
    const auto path = folder / "Data.Lst", other = folder / "Other.Lst", temporary = folder / "Data.Lst.new";
    std::ofstream(path, std::ios::binary) << "\"new\"\r\n";
    ListFileCalls& calls = SaveCalls();
    FAULTY(CreateFile, INVALID_HANDLE_VALUE);
    FAULTY(WriteFile, FALSE);
    FAULTY(FlushFileBuffers, FALSE);
    FAULTY(SetFilePointerEx, FALSE);
    FAULTY(SetEndOfFile, FALSE);
    FAULTY(GetFileInformationByHandle, FALSE);
    FAULTY(SetFileAttributes, FALSE);
    FAULTY(GetFileSecurity, FALSE);
    FAULTY(SetFileSecurity, FALSE);
    FAULTY(MoveFileEx, FALSE);
    MessageBoxCall() = [](HWND, LPCWSTR, LPCWSTR caption, UINT) {
        return boxes += caption == std::wstring(L"Unable to save list"), IDOK;
    };
    frmList editor(folder.wstring());
    ASSERT_TRUE(editor.Load(nullptr));
    HWND ok = editor.Control(L"cmdOk");
    constexpr DWORD kOld = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    const std::pair<bool, std::set<std::pair<std::string, int>>> cases[]{
        {false, {{"CreateFile", 1}}}, // how many names the list has
        {false, {{"GetFileInformationByHandle", 1}}},
        {false, {{"CreateFile", 2}}}, // the new file
        {false, {{"WriteFile", 1}}},
        {false, {{"FlushFileBuffers", 1}}},
        {false, {{"SetFileAttributes", 1}}}, // hidden onto the new file
        {false, {{"GetFileSecurity", 2}}},
        {false, {{"SetFileSecurity", 1}, {"SetFileSecurity", 2}}},
        {false, {{"SetFileAttributes", 2}}}, // read-only off the list
        {false, {{"MoveFileEx", 1}}},
        {false, {{"MoveFileEx", 1}, {"SetFileAttributes", 3}}}, // and read-only not given back
        {true, {{"SetFileAttributes", 1}}},                     // read-only off a list with two names
        {true, {{"WriteFile", 1}}},
        {true, {{"SetEndOfFile", 1}}},
        {true, {{"FlushFileBuffers", 1}}},
        {true, {}},
        {false, {}},
    };
    for (const auto& [linked, failing] : cases) {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::filesystem::remove(other);
        std::ofstream(path, std::ios::binary | std::ios::trunc) << "\"old\"\r\n\"list\"\r\n";
        if (linked) ::CreateHardLinkW(other.c_str(), path.c_str(), nullptr);
        ::SetFileAttributesW(path.c_str(), kOld);
        faults = failing, made.clear(), boxes = 0;
        ::SendMessageW(editor.hWnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(ok), BN_CLICKED),
                       reinterpret_cast<LPARAM>(ok));
        const std::string expected = failing.empty() ? "\"new\"\r\n" : "\"old\"\r\n\"list\"\r\n";
        const std::string name = linked ? "linked, " : "";
        const std::string step =
            failing.empty() ? name + "none"
                            : name + failing.begin()->first + std::to_string(failing.begin()->second);
        EXPECT_EQ(std::tuple(Read(path), linked ? Read(other) : expected, std::filesystem::exists(temporary),
                             boxes),
                  std::tuple(expected, expected, false, failing.empty() ? 0 : 1))
            << step;
        EXPECT_EQ(editor.List().Entries(), std::vector<std::wstring>{L"new"}) << step;
        if (failing.size() == 1) EXPECT_EQ(::GetFileAttributesW(path.c_str()) & kOld, kOld) << step;
    }
    editor.Unload();
    SaveCalls() = {};
    MessageBoxCall() = ::MessageBoxW;
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    std::filesystem::remove_all(folder);
}

// Run by full_disk.sh on a small file system that it mounts: the disk is filled, then the list saved.
TEST(ListFileFullDisk, AFullDiskKeepsTheListAndItsNamesAndLeavesNothingBehind) {
    const char* folder = std::getenv("UPLIFT_FULL_DISK_DIR");
    if (!folder) GTEST_SKIP() << "run by full_disk.sh, on a small file system of its own";
    const std::filesystem::path path = std::filesystem::path(folder) / "Data.Lst",
                                filler = path.parent_path() / "filler";
    for (const bool linked : {false, true}) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << "\"old\"\r\n";
        if (linked) ::CreateHardLinkW((path.parent_path() / "Other.Lst").c_str(), path.c_str(), nullptr);
        for (std::ofstream fill(filler, std::ios::binary);
             fill.write(std::string(4096, 'x').data(), 4096).flush();) {
        }
        const auto failure = WriteListFileAt(path.wstring(), {std::wstring(20000, L'n')});
        EXPECT_EQ(std::tuple(failure.has_value(), Read(path),
                             linked ? Read(path.parent_path() / "Other.Lst") : "\"old\"\r\n",
                             std::filesystem::exists(path.wstring() + L".new")),
                  std::tuple(true, "\"old\"\r\n", "\"old\"\r\n", false))
            << linked;
        std::filesystem::remove(filler);
        EXPECT_EQ(WriteListFileAt(path.wstring(), {L"new"}), std::nullopt);
    }
}

} // namespace
} // namespace uplift::win

// Saving the list with each file call made to fail in turn ("disk full"), through the list editor's OK with
// its message boxes counted; and on a real full disk, a small file system that full_disk.sh mounts.

#include "affirmations/frm_list.h"
#include "affirmations/list_file_win.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace uplift::win {
namespace {

namespace fs = std::filesystem;
std::set<std::string> faults; // "WriteFile1": the first WriteFile of the save fails
std::map<std::string, int> calls;
int told = 0;

bool Fails(const char* call) {
    if (!faults.contains(call + std::to_string(++calls[call]))) return false;
    ::SetLastError(ERROR_DISK_FULL);
    return true;
}
#define FAULTY(call, failed)                                                                                 \
    SaveCalls().call = [](auto... a) { return Fails(#call) ? failed : ListFileCalls{}.call(a...); }

std::string Read(const fs::path& at) {
    std::ifstream in(at, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(SaveFaults, AFailedStepKeepsTheListAndItsNamesLeavesNothingBehindAndIsToldOnce) {
    const fs::path folder =
        fs::temp_directory_path() / ("UpliftFaults" + std::to_string(::GetCurrentProcessId()));
    const fs::path path = (fs::create_directory(folder), folder / "Data.Lst"), other = folder / "Other.Lst";
    std::ofstream(path) << "\"new\"\n";
    FAULTY(CreateFile, INVALID_HANDLE_VALUE), FAULTY(WriteFile, FALSE), FAULTY(FlushFileBuffers, FALSE),
        FAULTY(SetFilePointerEx, FALSE), FAULTY(SetEndOfFile, FALSE),
        FAULTY(GetFileInformationByHandle, FALSE), FAULTY(SetFileAttributes, FALSE),
        FAULTY(GetFileSecurity, FALSE), FAULTY(SetFileSecurity, FALSE), FAULTY(MoveFileEx, FALSE);
    MessageBoxCall() = [](HWND, LPCWSTR, LPCWSTR, UINT) { return ++told, IDOK; };
    frmList editor(folder.wstring());
    ASSERT_TRUE(editor.Load(nullptr));
    HWND ok = editor.Control(L"cmdOk");
    constexpr DWORD kOld = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    // In the order of the save; "+": the list has a second name.
    for (const std::string step :
         {"CreateFile1", "GetFileInformationByHandle1", "CreateFile2", "WriteFile1", "FlushFileBuffers1",
          "SetFileAttributes1", "GetFileSecurity2", "SetFileSecurity1 SetFileSecurity2", "SetFileAttributes2",
          "MoveFileEx1", "MoveFileEx1 SetFileAttributes3", "+SetFileAttributes1", "+WriteFile1",
          "+SetEndOfFile1", "+FlushFileBuffers1", "+", ""}) {
        const bool linked = step.starts_with('+'), saved = step.size() <= 1;
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        fs::remove(other);
        std::ofstream(path, std::ios::binary) << "\"old\"\r\n";
        if (linked) ::CreateHardLinkW(other.c_str(), path.c_str(), nullptr);
        ::SetFileAttributesW(path.c_str(), kOld);
        std::istringstream words(step.substr(linked));
        faults = {std::istream_iterator<std::string>(words), {}}, calls.clear(), told = 0;
        ::SendMessageW(editor.hWnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(ok), BN_CLICKED), (LPARAM)ok);
        const std::string expected = saved ? "\"new\"\r\n" : "\"old\"\r\n";
        EXPECT_EQ(std::tuple(Read(path), linked ? Read(other) : expected, fs::exists(path.string() + ".new"),
                             told, editor.List().Entries() == std::vector<std::wstring>{L"new"}),
                  std::tuple(expected, expected, false, saved ? 0 : 1, true))
            << step;
        if (!saved && !faults.contains("SetFileAttributes3"))
            EXPECT_EQ(::GetFileAttributesW(path.c_str()) & kOld, kOld) << step << ": read-only again";
    }
    editor.Unload();
    SaveCalls() = {};
    MessageBoxCall() = ::MessageBoxW;
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(folder);
}

TEST(ListFileFullDisk, AFullDiskKeepsTheListAndItsNamesAndLeavesNothingBehind) {
    const char* folder = std::getenv("UPLIFT_FULL_DISK_DIR");
    if (!folder) GTEST_SKIP() << "run by full_disk.sh, on a small file system of its own";
    const fs::path path = fs::path(folder) / "Data.Lst", other = path.parent_path() / "Other.Lst";
    for (const bool linked : {false, true}) {
        std::ofstream(path, std::ios::binary) << "\"old\"\r\n";
        if (linked) ::CreateHardLinkW(other.c_str(), path.c_str(), nullptr);
        for (std::ofstream fill(path.parent_path() / "filler");
             fill.write(std::string(4096, 'x').data(), 4096);) {
        }
        EXPECT_TRUE(WriteListFileAt(path.wstring(), {std::wstring(20000, L'n')}));
        EXPECT_EQ(
            std::tuple(Read(path), linked ? Read(other) : "\"old\"\r\n", fs::exists(path.string() + ".new")),
            std::tuple("\"old\"\r\n", "\"old\"\r\n", false))
            << linked;
        fs::remove(path.parent_path() / "filler");
    }
}

} // namespace
} // namespace uplift::win

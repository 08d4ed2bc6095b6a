#include "affirmations/frm_list.h"
#include "affirmations/list_file_win.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace uplift::win {
namespace {

using Entries = std::vector<std::wstring>;

class ListFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override { ::CreateDirectoryW(folder.c_str(), nullptr); }
    void TearDown() override {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL); // remove_all stops at a read-only file
        std::filesystem::remove_all(folder);
    }
    std::string Bytes(std::filesystem::path at = {}) const {
        std::ifstream in(at.empty() ? std::filesystem::path(path) : at, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Put(const std::wstring& at, const std::string& bytes) {
        std::ofstream(std::filesystem::path(at), std::ios::binary) << bytes;
    }
    std::vector<BYTE> Access() const {
        std::vector<BYTE> rules(4096);
        DWORD size = 0;
        ::GetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, rules.data(), 4096, &size);
        return rules;
    }

    const std::wstring folder = std::filesystem::temp_directory_path() /
                                ("UpliftBeaconListTest" + std::to_string(::GetCurrentProcessId()));
    const std::wstring path = ListFilePath(folder);
};

TEST_F(ListFileOnDisk, WritesTheCodePageOrElseUtf8ReadsNulsAndLongLinesAndASaveKeepsAttributesAndAccess) {
    EXPECT_EQ(ListFilePath(L"C:\\"), L"C:\\Data.Lst");
    EXPECT_TRUE(ReadListFileAt(path).empty()) << "a missing file is an empty list";
    // UTF-8 where the code page falls short; the code page both ways: e2e, and the failed saves below.
    const std::pair<Entries, std::string> cases[]{
        {{L"Café", L"日本語 ✓", L"\U0001F600"},
         "\xEF\xBB\xBF\"Caf\xC3\xA9\"\r\n\"\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E "
         "\xE2\x9C\x93\"\r\n\"\xF0\x9F\x98\x80\"\r\n"},
        {{}, ""}};
    for (const auto& [entries, bytes] : cases) {
        ASSERT_EQ(WriteListFileAt(path, entries), std::nullopt);
        EXPECT_EQ(std::pair(Bytes(), ReadListFileAt(path)), std::pair(bytes, entries));
    }
    // A line longer than one slice of the read.
    Put(path, std::string("\"a\0b\"\r\n", 7) + std::string(1 << 20, 'x') + "\r\n\"after\"\r\n");
    EXPECT_EQ(ReadListFileAt(path),
              (Entries{std::wstring(L"a\0b", 3), std::wstring(1 << 20, L'x'), L"after"}));

    // A save keeps the list's attributes and access, and clears what a failed one left.
    const std::wstring leftover = path + L".new";
    Put(leftover, "from a failed save");
    ::SetFileAttributesW(leftover.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    Put(path, "\"one\"\r\n\"two\"\r\n\"three\"\r\n");
    PSECURITY_DESCRIPTOR rules = nullptr;
    ::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)", SDDL_REVISION_1, &rules,
                                                           nullptr);
    ::SetFileSecurityW(path.c_str(), DACL_SECURITY_INFORMATION, rules);
    ::LocalFree(rules);
    const std::vector<BYTE> access = Access();
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ::SetFileAttributesW(path.c_str(), kKept);

    const ListFileContent cut = ReadListFileContent(path, 16);
    EXPECT_EQ(std::tie(cut.Entries, cut.Whole), std::tuple(Entries{L"one", L"two"}, false))
        << "no half entry";
    EXPECT_TRUE(ReadListFileContent(path).Whole && ReadListFileContent(path + L"x").Whole);
    const HANDLE held = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(ReadListFileContent(path).Whole) << "a file that is there but cannot be read";
    ::CloseHandle(held);

    ASSERT_EQ(WriteListFileAt(path, {L"new"}), std::nullopt);
    EXPECT_EQ(std::tuple(ReadListFileAt(path), ::GetFileAttributesW(path.c_str()) & kKept, Access() == access,
                         ::GetFileAttributesW(leftover.c_str())),
              std::tuple(Entries{L"new"}, kKept, true, INVALID_FILE_ATTRIBUTES))
        << "the new list, its attributes and access kept, the leftover gone";
}

// Each file call of a save made to fail in turn ("disk full"), through the list editor's OK.
std::string faults; // " WriteFile1 ": the first WriteFile of the save fails
std::map<std::string, int> calls;
bool Fails(const char* call) {
    if (faults.find(" " + std::string(call) + std::to_string(++calls[call]) + " ") == std::string::npos)
        return false;
    ::SetLastError(ERROR_DISK_FULL);
    return true;
}
#define FAULTY(call, failed)                                                                                 \
    SaveCalls().call = [](auto... a) { return Fails(#call) ? failed : ListFileCalls{}.call(a...); }

TEST_F(ListFileOnDisk, AFailedSaveStepKeepsTheListAndItsNamesLeavesNothingBehindAndIsToldOnce) {
    const std::wstring other = folder + L"\\Other.Lst";
    Put(path, "\"new\"\n");
    FAULTY(CreateFile, INVALID_HANDLE_VALUE), FAULTY(WriteFile, FALSE), FAULTY(FlushFileBuffers, FALSE),
        FAULTY(SetFilePointerEx, FALSE), FAULTY(SetEndOfFile, FALSE),
        FAULTY(GetFileInformationByHandle, FALSE), FAULTY(SetFileAttributes, FALSE),
        FAULTY(GetFileSecurity, FALSE), FAULTY(SetFileSecurity, FALSE), FAULTY(MoveFileEx, FALSE);
    static int told = 0;
    MessageBoxCall() = [](HWND, LPCWSTR, LPCWSTR, UINT) { return ++told, IDOK; };
    frmList editor(folder);
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
        ::DeleteFileW(other.c_str());
        Put(path, "\"old\"\r\n");
        if (linked) ::CreateHardLinkW(other.c_str(), path.c_str(), nullptr);
        ::SetFileAttributesW(path.c_str(), kOld);
        faults = " " + step.substr(linked) + " ";
        calls.clear();
        told = 0;
        ::SendMessageW(editor.hWnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(ok), BN_CLICKED), (LPARAM)ok);
        const std::string expected = saved ? "\"new\"\r\n" : "\"old\"\r\n";
        EXPECT_EQ(std::tuple(Bytes(), linked ? Bytes(other) : expected,
                             ::GetFileAttributesW((path + L".new").c_str()), told,
                             editor.List().Entries() == Entries{L"new"}),
                  std::tuple(expected, expected, INVALID_FILE_ATTRIBUTES, saved ? 0 : 1, true))
            << step;
        if (!saved && faults.find("SetFileAttributes3") == std::string::npos)
            EXPECT_EQ(::GetFileAttributesW(path.c_str()) & kOld, kOld) << step << ": read-only again";
    }
    editor.Unload();
    SaveCalls() = {};
    MessageBoxCall() = ::MessageBoxW;
}

// Run by full_disk.sh on a small file system that it mounts: the disk is filled, then the list saved.
TEST(ListFileFullDisk, AFullDiskKeepsTheListAndLeavesNothingBehind) {
    const char* folder = std::getenv("UPLIFT_FULL_DISK_DIR");
    if (!folder) GTEST_SKIP() << "run by full_disk.sh, on a small file system of its own";
    const std::wstring path = ListFilePath(std::filesystem::path(folder)), filler = path + L".filler";
    std::ofstream(std::filesystem::path(path), std::ios::binary) << "\"old\"\r\n";
    for (std::ofstream fill{std::filesystem::path(filler)};
         fill.write(std::string(4096, 'x').data(), 4096);) {
    }
    EXPECT_TRUE(WriteListFileAt(path, {std::wstring(20000, L'n')}));
    EXPECT_EQ(std::tuple(ReadListFileAt(path), ::GetFileAttributesW((path + L".new").c_str())),
              std::tuple(Entries{L"old"}, INVALID_FILE_ATTRIBUTES));
}

} // namespace
} // namespace uplift::win

#pragma once
// mCommonDialogFile's settings and the arithmetic around the platform's open-file dialog: the
// flags and filter of a request, and the chosen names read out of the returned buffers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uplift {

namespace dialog_flags {
inline constexpr std::uint32_t kOpenReadOnly = 0x1, kOpenHideReadOnly = 0x4, kOpenEnableHook = 0x20,
                               kOpenEnableTemplate = 0x40, kOpenAllowMultiSelect = 0x200,
                               kOpenPathMustExist = 0x800, kOpenFileMustExist = 0x1000,
                               kOpenExplorer = 0x80000;
} // namespace dialog_flags

// Kept from call to call; the callers set those they rely on before each call.
struct OpenFileSettings {
    bool FileMustExist = false;
    bool MultiSelect = false;
    bool HideReadOnly = false;
    bool ReadOnly = false; // set after a call whose answer has the read-only box ticked
    std::wstring Filter;   // description and pattern pairs separated by '|' or ':'
    std::int32_t FilterIndex = 0;
    std::wstring InitDir;
    std::wstring DialogTitle;
    std::uint32_t Flags = 0;
    std::wstring DefaultExt;
};

// The dialog's flags: the Booleans' flags added to Flags, without a hook or a template.
std::uint32_t OpenFileFlags(const OpenFileSettings& settings);
// '|' and ':' become NUL and two NULs end the list.
std::wstring OpenFileFilter(std::wstring_view filter);

// The settings of cmdMore (one file) and cmdBrowse (several) for the program's ready-made
// affirmations: files that exist in the folder Affirmations of the program folder.
void SetReadyMadeRequest(OpenFileSettings& settings, std::wstring_view programFolder, bool several);

struct OpenFileChoice {
    // One choice: FileName empty, FileTitle the name without folder. Several: both the names
    // joined by ';'. Names holds each chosen name whole, even one that holds a ';'.
    std::wstring FileName;
    std::wstring FileTitle;
    std::vector<std::wstring> Names;
    std::wstring Folder;
};

// The confirmed dialog's file buffer (its whole length, NULs included) and title buffer.
// One choice fills the file buffer with the full path; several with the folder, then each name,
// each followed by a NUL, and one more NUL. Nothing when the buffer holds no two NULs in a row:
// the names were cut short to fit it.
std::optional<OpenFileChoice> ReadOpenFileBuffer(std::wstring_view file, std::wstring_view title);

} // namespace uplift

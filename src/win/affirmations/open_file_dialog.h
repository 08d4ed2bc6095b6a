#pragma once
// mCommonDialogFile: the platform's open-file dialog and the settings it keeps for the run, and the
// choice of ready-made affirmations, which are the names of the files in the program folder's
// Affirmations folder.

#include "affirmations/open_file.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace uplift::win {

class mCommonDialogFile {
public:
    // Room for the names of a whole folder of ready-made affirmations chosen at once.
    static constexpr std::size_t kFileChars = 32768;
    static constexpr std::size_t kTitleChars = 512;

    OpenFileSettings Settings;

    // Runs the dialog owned by `owner` (disabled meanwhile): the choice, or nothing when it was
    // cancelled or failed. The settings take the dialog's answer.
    std::optional<OpenFileChoice> ShowOpen(HWND owner);
    // The last call failed because the chosen names did not fit the buffer.
    bool BufferTooSmall() const { return bufferTooSmall_; }

private:
    bool bufferTooSmall_ = false;
};

// The settings live as long as the program.
mCommonDialogFile& CommonDialogFile();

// The names the user chose in `programFolder`\Affirmations, one or several; none when cancelled.
// A choice too large for the dialog is told to the user.
std::vector<std::wstring> ChooseReadyMade(HWND owner, std::wstring_view programFolder, bool several);

} // namespace uplift::win

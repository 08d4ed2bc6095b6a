#include "affirmations/open_file_dialog.h"

#include "forms/com_apartment.h"
#include "forms/form.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

namespace uplift::win {

namespace {

using namespace dialog_flags;

static_assert(kOpenReadOnly == OFN_READONLY && kOpenHideReadOnly == OFN_HIDEREADONLY &&
              kOpenEnableHook == OFN_ENABLEHOOK && kOpenEnableTemplate == OFN_ENABLETEMPLATE &&
              kOpenAllowMultiSelect == OFN_ALLOWMULTISELECT && kOpenPathMustExist == OFN_PATHMUSTEXIST &&
              kOpenFileMustExist == OFN_FILEMUSTEXIST && kOpenExplorer == OFN_EXPLORER);

const wchar_t* OrNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

} // namespace

std::optional<OpenFileChoice> mCommonDialogFile::ShowOpen(HWND owner) {
    bufferTooSmall_ = false;
    const std::wstring filter = OpenFileFilter(Settings.Filter);
    std::wstring file(kFileChars, L'\0');
    std::wstring title(kTitleChars, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = static_cast<DWORD>(std::max(0, Settings.FilterIndex));
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrFileTitle = title.data();
    request.nMaxFileTitle = static_cast<DWORD>(title.size());
    request.lpstrInitialDir = OrNull(Settings.InitDir);
    request.lpstrTitle = OrNull(Settings.DialogTitle);
    request.Flags = OpenFileFlags(Settings);
    request.lpstrDefExt = OrNull(Settings.DefaultExt);
    EnsureComApartment();
    if (!::GetOpenFileNameW(&request)) {
        bufferTooSmall_ = ::CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
        Settings.Flags = 0;
        Settings.FilterIndex = -1;
        return std::nullopt;
    }
    auto choice = ReadOpenFileBuffer(file, title);
    if (!choice) {
        // Some platforms cut the names short to fit rather than fail with FNERR_BUFFERTOOSMALL.
        bufferTooSmall_ = true;
        return std::nullopt;
    }
    Settings.FilterIndex = static_cast<std::int32_t>(request.nFilterIndex);
    Settings.Flags = request.Flags;
    if (request.Flags & OFN_READONLY) Settings.ReadOnly = true;
    Settings.InitDir = choice->Folder;
    return choice;
}

mCommonDialogFile& CommonDialogFile() {
    static mCommonDialogFile dialog;
    return dialog;
}

std::vector<std::wstring> ChooseReadyMade(HWND owner, std::wstring_view programFolder, bool several) {
    mCommonDialogFile& dialog = CommonDialogFile();
    SetReadyMadeRequest(dialog.Settings, programFolder, several);
    auto choice = dialog.ShowOpen(owner);
    if (dialog.BufferTooSmall()) {
        MsgBox(owner,
               L"So many files were chosen that their names do not fit in at once, and none was taken. "
               L"Please choose fewer files at a time.",
               L"Uplift Beacon Plus", MB_ICONEXCLAMATION | MB_OK);
    }
    return choice ? std::move(choice->Names) : std::vector<std::wstring>();
}

} // namespace uplift::win

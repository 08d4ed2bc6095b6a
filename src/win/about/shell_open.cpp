#include "about/shell_open.h"

#include "forms/com_apartment.h"
#include "forms/form.h"

#include <shellapi.h>

#include <string>

namespace uplift::win {

namespace {

constexpr wchar_t kAppTitle[] = L"Uplift Beacon Plus";

// A failure is told with the address itself: the user can copy it from the box (Ctrl+C).
void OpenOrShow(HWND owner, std::wstring_view target, std::wstring_view failure, std::wstring_view address) {
    if (ShellOpen(L"open", target, SW_SHOWNORMAL)) return;
    MsgBox(owner, std::wstring(failure) + L"\n\n" + std::wstring(address), kAppTitle,
           MB_ICONEXCLAMATION | MB_OK);
}

} // namespace

bool ShellOpen(std::wstring_view operation, std::wstring_view file, int showCommand) {
    const std::wstring verb(operation), target(file);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    // The shell's own failure box would come before ours, without the address.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.hwnd = ::GetDesktopWindow();
    info.lpVerb = verb.c_str();
    info.lpFile = target.c_str();
    info.nShow = showCommand;
    EnsureComApartment();
    return ::ShellExecuteExW(&info) != FALSE;
}

void OpenWebSite(HWND owner, std::wstring_view address) {
    OpenOrShow(owner, address, L"The web site could not be opened. Its address is:", address);
}

void SendSupportMail(HWND owner) {
    OpenOrShow(owner, std::wstring(L"mailto:") + kSupportAddress,
               L"Your mail program could not be opened. Please write to:", kSupportAddress);
}

} // namespace uplift::win

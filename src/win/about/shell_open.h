#pragma once
// ShellOpen: a document, web address or mail address handed to the platform shell; the maker's
// addresses, the way to them, and the support mail.

#include <windows.h>

#include <string_view>

namespace uplift::win {

inline constexpr wchar_t kWebAddress[] = L"https://www.example.com/upliftbeacon";
inline constexpr wchar_t kSupportAddress[] = L"support@example.com";

// The shell performs `operation` on `file`, with the desktop as owner, no parameters and no working
// folder. True when it did.
bool ShellOpen(std::wstring_view operation, std::wstring_view file, int showCommand);

// Opens the maker's web site; when the shell cannot, a message box shows its address to copy.
void OpenWebSite(HWND owner, std::wstring_view address);

// A new message to the maker's support address in the user's mail program; when the shell cannot
// open one, a message box shows the address to copy.
void SendSupportMail(HWND owner);

} // namespace uplift::win

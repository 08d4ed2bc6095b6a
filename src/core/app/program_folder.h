#pragma once
// The folder that holds the executable, as the program records and uses it.

#include <string>
#include <string_view>

namespace uplift {

// The path without its last component and without a trailing separator, except a drive's
// root ("C:\"). Accepts '\\' and '/' as separators.
std::wstring ProgramFolderOf(std::wstring_view exePath);

// The application's help file: the folder followed by "\UpliftBeacon.chm::/TextPopups.Txt".
std::wstring HelpFileOf(std::wstring_view programFolder);

} // namespace uplift

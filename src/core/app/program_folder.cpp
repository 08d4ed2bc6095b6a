#include "app/program_folder.h"

namespace uplift {
namespace {

constexpr std::wstring_view kSeparators = L"\\/";
constexpr std::wstring_view kHelpFile = L"UpliftBeacon.chm::/TextPopups.Txt";

bool IsSeparator(wchar_t c) {
    return kSeparators.find(c) != std::wstring_view::npos;
}

// "C:\" and "\" name a root, where the separator is part of the folder's name.
bool IsRoot(std::wstring_view folder) {
    if (folder.size() == 1) return IsSeparator(folder[0]);
    return folder.size() == 3 && folder[1] == L':' && IsSeparator(folder[2]);
}

} // namespace

std::wstring ProgramFolderOf(std::wstring_view exePath) {
    const auto last = exePath.find_last_of(kSeparators);
    if (last == std::wstring_view::npos) {
        // "C:x.exe" lies in drive C's current folder; a bare name has no folder.
        return exePath.size() >= 2 && exePath[1] == L':' ? std::wstring{exePath.substr(0, 2)}
                                                         : std::wstring{};
    }
    std::wstring_view folder = exePath.substr(0, last + 1);
    while (folder.size() > 1 && IsSeparator(folder.back()) && !IsRoot(folder))
        folder.remove_suffix(1);
    return std::wstring{folder};
}

std::wstring HelpFileOf(std::wstring_view programFolder) {
    std::wstring path{programFolder};
    // A root already ends in its separator; no folder, or a drive's current one ("C:"), stays relative.
    const bool relative = path.empty() || (path.size() == 2 && path[1] == L':');
    if (!relative && !IsSeparator(path.back())) path += L'\\';
    path += kHelpFile;
    return path;
}

} // namespace uplift

#include "affirmations/open_file.h"

#include <algorithm>

namespace uplift {

using namespace dialog_flags;

std::uint32_t OpenFileFlags(const OpenFileSettings& s) {
    return (s.FileMustExist ? kOpenFileMustExist : 0) | (s.MultiSelect ? kOpenAllowMultiSelect : 0) |
           (s.HideReadOnly ? kOpenHideReadOnly : 0) | (s.ReadOnly ? kOpenReadOnly : 0) |
           (s.Flags & ~(kOpenEnableHook | kOpenEnableTemplate));
}

std::wstring OpenFileFilter(std::wstring_view filter) {
    std::wstring text(filter);
    std::replace_if(
        text.begin(), text.end(), [](wchar_t c) { return c == L'|' || c == L':'; }, L'\0');
    return text.append(2, L'\0');
}

void SetReadyMadeRequest(OpenFileSettings& settings, std::wstring_view programFolder, bool several) {
    settings.FileMustExist = true;
    settings.MultiSelect = several;
    settings.HideReadOnly = true;
    settings.InitDir = std::wstring(programFolder);
    if (!settings.InitDir.ends_with(L'\\')) settings.InitDir += L'\\';
    settings.InitDir += L"Affirmations";
    settings.DialogTitle = L"Please select affirmations to add to list";
    settings.Flags = kOpenExplorer | kOpenFileMustExist | kOpenPathMustExist | kOpenHideReadOnly |
                     (several ? kOpenAllowMultiSelect : 0);
}

std::optional<OpenFileChoice> ReadOpenFileBuffer(std::wstring_view file, std::wstring_view title) {
    constexpr std::wstring_view kEnd(L"\0\0", 2);
    if (file.find(kEnd) == std::wstring_view::npos) return std::nullopt;
    OpenFileChoice choice;
    const std::size_t first = file.find(L'\0');
    std::wstring_view rest = file.substr(first + 1);
    rest = rest.substr(0, rest.find(kEnd));
    if (rest.empty() || rest.front() == L'\0') {
        // One file: its full path.
        const std::wstring_view path = file.substr(0, first);
        const std::size_t slash = path.find_last_of(L"\\/");
        choice.Folder = path.substr(0, slash == std::wstring_view::npos ? 0 : slash);
        choice.FileTitle = title.substr(0, title.find(L'\0'));
        if (choice.FileTitle.empty()) choice.FileTitle = path.substr(slash + 1);
        if (!choice.FileTitle.empty()) choice.Names.push_back(choice.FileTitle);
        return choice;
    }
    choice.Folder = file.substr(0, first);
    for (std::size_t start = 0; start <= rest.size();) {
        const std::size_t end = std::min(rest.find(L'\0', start), rest.size());
        if (end > start) choice.Names.emplace_back(rest.substr(start, end - start));
        start = end + 1;
    }
    for (const std::wstring& name : choice.Names)
        choice.FileName += (choice.FileName.empty() ? L"" : L";") + name;
    choice.FileTitle = choice.FileName;
    return choice;
}

} // namespace uplift

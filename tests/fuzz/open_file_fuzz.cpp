// The open-file dialog's buffers may hold anything the platform (or a cut-short answer) leaves in them:
// the reader must survive it, and whatever it reads must be what a buffer of those names reads back as.
#include "affirmations/open_file.h"

#include <cstdlib>

using namespace uplift;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto check = [](bool condition) { condition ? void() : std::abort(); };
    std::wstring text; // two bytes a character; the first character says where the title begins
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    if (text.empty()) return 0;
    const std::size_t split = 1 + text[0] % text.size();
    const std::wstring_view file = std::wstring_view(text).substr(split), title(text.data() + 1, split - 1);

    OpenFileFilter(file);
    const auto choice = ReadOpenFileBuffer(file, title);
    if (!choice) return 0;
    check(choice->Folder.find(L'\0') == std::wstring::npos);
    for (const std::wstring& name : choice->Names)
        check(!name.empty() && name.find(L'\0') == std::wstring::npos);
    check(!choice->FileName.empty() || choice->Names.size() <= 1);
    if (choice->FileName.empty()) return 0;
    // Several names: the folder, each name and one more NUL read back as the same choice.
    std::wstring again = choice->Folder + L'\0';
    for (const std::wstring& name : choice->Names)
        again += name + L'\0';
    const auto reread = ReadOpenFileBuffer(again + L'\0', L"");
    check(!choice->Names.empty() && reread && reread->Names == choice->Names &&
          reread->Folder == choice->Folder && reread->FileName == choice->FileName &&
          choice->FileTitle == choice->FileName);
    return 0;
}

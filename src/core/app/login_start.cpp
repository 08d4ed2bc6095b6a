#include "app/login_start.h"

#include "common/blanks.h"

#include <algorithm>
#include <cwctype>

namespace uplift {

namespace {

// The program that a command line starts: the quoted part, or the whole line without quotes.
std::wstring_view ProgramOf(std::wstring_view command) {
    command = TrimBlanks(command);
    if (command.empty() || command.front() != L'"') return command;
    const auto close = command.find(L'"', 1);
    return close == std::wstring_view::npos ? std::wstring_view{} : command.substr(1, close - 1);
}

bool SamePath(std::wstring_view a, std::wstring_view b) {
    const auto same = [](wchar_t x, wchar_t y) {
        const auto fold = [](wchar_t c) {
            return c == L'/' ? L'\\' : static_cast<wchar_t>(std::towlower(c));
        };
        return fold(x) == fold(y);
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), same);
}

} // namespace

std::wstring LoginStartCommand(std::wstring_view exePath) {
    return L"\"" + std::wstring(exePath) + L"\"";
}

bool StartsAtLogin(const std::optional<std::wstring>& command, std::span<const std::uint8_t> approved,
                   std::wstring_view exePath) {
    if (!command || exePath.empty() || !SamePath(ProgramOf(*command), exePath)) return false;
    return approved.empty() || (approved.front() & 1) == 0;
}

} // namespace uplift

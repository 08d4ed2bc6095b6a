#pragma once
// Blanks around and inside stored texts: spaces and tabs.

#include <string_view>

namespace uplift {

template <typename Char> constexpr bool IsBlank(Char c) {
    return c == Char(' ') || c == Char('\t');
}

constexpr std::wstring_view TrimBlanks(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace uplift

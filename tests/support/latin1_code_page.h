#pragma once
// ISO 8859-1: every byte is the code point of the same number, a code page that every machine has.

#include "affirmations/list_file.h"

#include <algorithm>
#include <type_traits>

namespace uplift {

class Latin1CodePage final : public CodePage {
public:
    std::wstring Decode(std::string_view bytes) const override {
        std::wstring text(bytes.size(), L'\0');
        std::ranges::transform(bytes, text.begin(),
                               [](char c) { return wchar_t(static_cast<unsigned char>(c)); });
        return text;
    }
    std::optional<std::string> Encode(std::wstring_view text) const override {
        std::string bytes;
        for (const wchar_t c : text) {
            if (static_cast<std::make_unsigned_t<wchar_t>>(c) > 0xFF) return std::nullopt;
            bytes += static_cast<char>(c);
        }
        return bytes;
    }
};

} // namespace uplift

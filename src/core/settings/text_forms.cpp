#include "settings/text_forms.h"

#include "common/blanks.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace uplift::text_forms {
namespace {

// Larger than any font the platform will create; a stored size beyond it is a damaged value.
constexpr double kMaxFontSize = 1638.0;

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}
bool EqualsNoCase(std::wstring_view text, std::wstring_view lower) {
    if (text.size() != lower.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != lower[i]) return false;
    }
    return true;
}

// Digits with at most one separator and at least one digit: "12", "1.5", ".5", "3.".
bool IsDecimal(std::wstring_view text, wchar_t separator) {
    bool digit = false;
    bool point = false;
    for (wchar_t c : text) {
        if (IsDigit(c)) {
            digit = true;
        } else if ((c == separator || c == L'.') && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

} // namespace

std::wstring FormatBoolean(bool value) {
    return value ? L"True" : L"False";
}

std::optional<bool> ParseBoolean(std::wstring_view text) {
    text = TrimBlanks(text);
    if (EqualsNoCase(text, L"true")) return true;
    if (EqualsNoCase(text, L"false")) return false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) text.remove_prefix(1);
    if (!IsDecimal(text, L'.')) return std::nullopt;
    // Only zero or not matters, so the digits never need converting.
    for (wchar_t c : text)
        if (IsDigit(c) && c != L'0') return true;
    return false;
}

std::wstring FormatInteger(std::int64_t value) {
    return std::to_wstring(value);
}

std::optional<std::int32_t> ParseInteger(std::wstring_view text) {
    text = TrimBlanks(text);
    const bool negative = !text.empty() && text.front() == L'-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    for (wchar_t c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - L'0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::wstring FormatColour(Colour value) {
    return std::to_wstring(value);
}

std::optional<Colour> ParseColour(std::wstring_view text) {
    const auto value = ParseInteger(text);
    if (!value || *value < 0 || *value > 0xFFFFFF) return std::nullopt;
    return static_cast<Colour>(*value);
}

std::wstring FormatFontSize(float value, wchar_t decimalSeparator) {
    if (!std::isfinite(value)) return {};
    if (value == 0) return L"0";
    // Seven significant digits from the exponent form, then written out positionally so that
    // no size ever appears as "1e+02".
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.6e", static_cast<double>(std::fabs(value)));
    std::wstring digits;
    const char* p = buffer;
    for (; *p != 'e'; ++p)
        if (*p != '.') digits += static_cast<wchar_t>(*p);
    const int exponent = std::atoi(p + 1);
    while (digits.size() > 1 && digits.back() == L'0')
        digits.pop_back();

    std::wstring whole;
    std::wstring fraction;
    if (exponent < 0) {
        whole = L"0";
        fraction = std::wstring(static_cast<std::size_t>(-exponent - 1), L'0') + digits;
    } else {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            whole = digits + std::wstring(wholeDigits - digits.size(), L'0');
        } else {
            whole = digits.substr(0, wholeDigits);
            fraction = digits.substr(wholeDigits);
        }
    }
    std::wstring text = value < 0 ? L"-" + whole : whole;
    if (!fraction.empty()) text += decimalSeparator + fraction;
    return text;
}

std::optional<float> ParseFontSize(std::wstring_view text, wchar_t decimalSeparator) {
    text = TrimBlanks(text);
    if (!IsDecimal(text, decimalSeparator)) return std::nullopt;
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text)
        narrow += IsDigit(c) ? static_cast<char>(c) : '.';
    double value = 0;
    const auto [end, error] =
        std::from_chars(narrow.data(), narrow.data() + narrow.size(), value, std::chars_format::fixed);
    if (error != std::errc() || end != narrow.data() + narrow.size()) return std::nullopt;
    if (!(value > 0 && value <= kMaxFontSize)) return std::nullopt;
    const auto size = static_cast<float>(value);
    // Below the smallest normal float a size keeps fewer than seven digits, so it would not save and load back
    // as the same text; such a size is no more a real one than zero.
    if (!std::isnormal(size)) return std::nullopt;
    return size;
}

} // namespace uplift::text_forms

#pragma once
// How each kind of value is written to and read from the settings store. Readers return nothing
// for a text that does not convert, so that the caller can fall back to its default.

#include "settings/settings_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace uplift::text_forms {

std::wstring FormatBoolean(bool value); // "True" / "False"
// "True"/"False" in any letter case, or a decimal number (0 is false, anything else true).
std::optional<bool> ParseBoolean(std::wstring_view text);

std::wstring FormatInteger(std::int64_t value);
// Optional blanks around, optional minus sign, decimal digits, no grouping; within 32 bits.
std::optional<std::int32_t> ParseInteger(std::wstring_view text);

std::wstring FormatColour(Colour value);
// 0 .. 0xFFFFFF only.
std::optional<Colour> ParseColour(std::wstring_view text);

// At most 7 significant digits, trailing zeros and a bare separator dropped.
std::wstring FormatFontSize(float value, wchar_t decimalSeparator);
// Accepts the regional separator and '.'; finite positive values only.
std::optional<float> ParseFontSize(std::wstring_view text, wchar_t decimalSeparator);

} // namespace uplift::text_forms

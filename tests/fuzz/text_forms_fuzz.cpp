// Every reader of stored texts must survive anything a hand-edited store can hold.
#include "settings/settings.h"
#include "settings/text_forms.h"
#include "test_doubles.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace uplift;

// Two bytes a character, so that every wchar_t value below 0x10000 can appear.
std::wstring Widen(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    text.reserve(size / 2);
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    return text;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring text = Widen(data, size);
    const EnUsRegionalFormats point;
    const EnUsRegionalFormats comma(L',');

    text_forms::ParseBoolean(text);
    if (const auto value = text_forms::ParseInteger(text))
        Check(text_forms::ParseInteger(text_forms::FormatInteger(*value)) == value);
    if (const auto value = text_forms::ParseColour(text)) Check(*value <= 0xFFFFFF);
    for (const EnUsRegionalFormats* formats : {&point, &comma}) {
        const wchar_t separator = formats->DecimalSeparator();
        if (const auto size = text_forms::ParseFontSize(text, separator)) {
            Check(*size > 0 && *size <= 1638);
            Check(text_forms::ParseFontSize(text_forms::FormatFontSize(*size, separator), separator)
                      .has_value());
        }
        if (const auto value = formats->TextToDateTime(text)) {
            // Whatever was read is a date that is written and read back to the same second.
            Check(IsValidDate(*value));
            const auto back = formats->TextToDateTime(DateAndTimeText(*formats, *value));
            Check(back && ToWholeSeconds(*back) == ToWholeSeconds(*value));
        }
    }

    // The store filled from the input: each value takes the text up to the next NUL.
    static constexpr const wchar_t* kNames[] = {
        L"FontBold",        L"FontItalic",       L"FontName",   L"FontSize",       L"FontStrikethru",
        L"FontTransparent", L"FontUnderline",    L"txtCaption", L"Time",           L"optList",
        L"optTimeLength",   L"BackgroundColor",  L"TextColor",  L"Date",           L"Everyday",
        L"WhenToDisplay",   L"ScreenBackground", L"Pause",      L"LastMessageKey", L"LastMessageDate",
        L"Enabled"};
    MemorySettingsStore store;
    std::size_t start = 0;
    for (const wchar_t* name : kNames) {
        if (start > text.size()) break;
        const std::size_t end = std::min(text.find(L'\0', start), text.size());
        store.values[name] = text.substr(start, end - start);
        start = end + 1;
    }
    const ManualClock clock({2026, 12, 6, 12, 0, 0, 0});
    const SettingsContext context{point, clock};
    SettingsRecord record;
    LoadSettings(record, store, context);
    const CarriedValues carried = LoadCarriedValues(store, context);
    Check(record.Time >= 0 && record.Time < 23 && record.Pause >= 0 && record.Pause < 21);
    Check(!record.Font.Name.empty() && record.Font.Name.size() <= 31);

    // Saving what was loaded and loading it again changes nothing stored. (The record itself may move
    // once: a font size read with more than seven digits is saved with seven.)
    MemorySettingsStore saved;
    SaveSettings(record, carried, saved, point);
    SettingsRecord again;
    LoadSettings(again, saved, context);
    MemorySettingsStore savedAgain;
    SaveSettings(again, LoadCarriedValues(saved, context), savedAgain, point);
    Check(savedAgain.values == saved.values);
    Check(again.txtCaption == record.txtCaption && again.Date == record.Date &&
          again.Everyday == record.Everyday);
    return 0;
}

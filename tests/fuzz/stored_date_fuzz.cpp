// Stored dates and the pause's end as a hand-edited store can hold them: every text that reads as a moment
// writes back as a text that reads as the same second, and the pause's end reads only what it writes.
#include "schedule/pause.h"
#include "settings/stored_date.h"
#include "test_doubles.h"

#include <cstdlib>

using namespace uplift;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto check = [](bool condition) { condition ? void() : std::abort(); };
    const std::wstring text(data, data + size); // one byte a character: digits and separators come often
    const EnUsRegionalFormats formats;
    if (const auto value = text_forms::ParseDate(text, formats)) {
        check(IsValidDate(*value));
        for (const auto form : {text_forms::DateTextForm::General, text_forms::DateTextForm::DateAndTime}) {
            const auto again = text_forms::ParseDate(text_forms::FormatDate(*value, formats, form), formats);
            check(again && ToWholeSeconds(*again) == ToWholeSeconds(*value));
        }
    }
    if (const auto end = ParsePauseEnd(text)) check(PauseEndText(*end) == text);
    return 0;
}

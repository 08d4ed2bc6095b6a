// Every reader of stored texts must survive anything a hand-edited store can hold, read only what it can
// write, and what was read must save and load back unchanged.
#include "settings/settings.h"
#include "test_doubles.h"

#include <cstdlib>

using namespace uplift;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto check = [](bool condition) { condition ? void() : std::abort(); };
    std::wstring text; // two bytes a character, so that every wchar_t value below 0x10000 can appear
    for (std::size_t i = 0; i + 1 < size; i += 2)
        text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);

    // The store filled from the input: each value takes the text up to the next NUL.
    MemorySettingsStore store, saved, again;
    std::size_t start = 0;
    for (const wchar_t* name :
         {L"FontBold",        L"FontItalic",       L"FontName",   L"FontSize",       L"FontStrikethru",
          L"FontTransparent", L"FontUnderline",    L"txtCaption", L"Time",           L"optList",
          L"optTimeLength",   L"BackgroundColor",  L"TextColor",  L"Date",           L"Everyday",
          L"WhenToDisplay",   L"ScreenBackground", L"Pause",      L"LastMessageKey", L"LastMessageDate",
          L"Enabled"}) {
        const std::size_t end = std::min(text.find(L'\0', start), text.size());
        if (start <= text.size()) store.values[name] = text.substr(start, end - start);
        start = end + 1;
    }
    const ManualClock clock({2026, 12, 6, 12, 0, 0, 0});
    const EnUsRegionalFormats formats(size % 2 ? L',' : L'.'); // the odd byte chooses the separator
    const SettingsContext context{formats, clock};
    SettingsRecord record, reloaded;
    LoadSettings(record, store, context);
    check(record.Time >= 0 && record.Time < 23 && record.Pause >= 0 && record.Pause < 21);
    check(!record.Font.Name.empty() && record.Font.Name.size() <= 31 && record.BackgroundColor <= 0xFFFFFF &&
          record.TextColor <= 0xFFFFFF && record.Font.Size > 0 && record.Font.Size <= 1638);
    // Saving what was loaded and loading it again changes nothing stored (the record itself may move once:
    // a font size read with more than seven digits is saved with seven).
    SaveSettings(record, LoadCarriedValues(store, context), saved, formats);
    LoadSettings(reloaded, saved, context);
    SaveSettings(reloaded, LoadCarriedValues(saved, context), again, formats);
    check(again.values == saved.values && reloaded.txtCaption == record.txtCaption &&
          reloaded.Date == record.Date && reloaded.Everyday == record.Everyday);
    return 0;
}

#include "settings/settings.h"

#include "schedule/durations.h"
#include "settings/text_forms.h"

#include <cstdint>
#include <optional>
#include <string>

namespace uplift {
namespace {

using namespace text_forms;

// Longest face name the platform's font description holds (32 characters with the NUL).
constexpr std::size_t kMaxFontName = 31;

// The time of day of a value in whole seconds, on day zero.
DateTime TimeOfDay(DateTime value) {
    std::int64_t seconds = ToWholeSeconds(value) % 86'400;
    if (seconds < 0) seconds += 86'400;
    return FromWholeSeconds(seconds);
}

DateTime WholeSeconds(DateTime value) {
    return FromWholeSeconds(ToWholeSeconds(value));
}

// Reads one value at a time; every reader falls back to its default when the text is absent
// or does not convert, so a hand-edited store never stops the program.
class Reader {
public:
    Reader(SettingsStore& store, const SettingsContext& context) : store_(store), context_(context) {}

    std::wstring Text(std::wstring_view name, std::wstring_view fallback) {
        return store_.Read(name).value_or(std::wstring(fallback));
    }
    bool Boolean(std::wstring_view name, bool fallback) {
        return Parsed(name, ParseBoolean).value_or(fallback);
    }
    std::optional<std::int32_t> Integer(std::wstring_view name) { return Parsed(name, ParseInteger); }
    Colour ColourValue(std::wstring_view name, Colour fallback) {
        return Parsed(name, ParseColour).value_or(fallback);
    }
    float FontSize(std::wstring_view name, float fallback) {
        const auto text = store_.Read(name);
        if (!text) return fallback;
        return ParseFontSize(*text, context_.Formats.DecimalSeparator()).value_or(fallback);
    }
    // Date defaults come from the clock after the read, at the moment of loading.
    std::optional<DateTime> Date(std::wstring_view name) {
        const auto text = store_.Read(name);
        if (!text) return std::nullopt;
        return context_.Formats.TextToDateTime(*text);
    }
    DateTime Now() const { return context_.Time.Now(); }

private:
    template <typename Parse> auto Parsed(std::wstring_view name, Parse parse) -> decltype(parse({})) {
        const auto text = store_.Read(name);
        if (!text) return std::nullopt;
        return parse(*text);
    }

    SettingsStore& store_;
    const SettingsContext& context_;
};

template <typename Choice> Choice ThreeWay(std::optional<std::int32_t> stored, Choice fallback) {
    if (!stored) return fallback;
    return *stored == 0 ? Choice{0} : *stored == 1 ? Choice{1} : Choice{2};
}

} // namespace

void LoadSettings(SettingsRecord& record, SettingsStore& store, const SettingsContext& context) {
    Reader in(store, context);
    const FontDescription defaultFont;

    record.Font.Bold = in.Boolean(L"FontBold", defaultFont.Bold);
    record.Font.Italic = in.Boolean(L"FontItalic", defaultFont.Italic);
    record.Font.Name = in.Text(L"FontName", defaultFont.Name);
    if (record.Font.Name.empty() || record.Font.Name.size() > kMaxFontName)
        record.Font.Name = defaultFont.Name;
    record.Font.Size = in.FontSize(L"FontSize", defaultFont.Size);
    record.Font.Strikethru = in.Boolean(L"FontStrikethru", defaultFont.Strikethru);
    record.FontTransparent = in.Boolean(L"FontTransparent", true);
    record.Font.Underline = in.Boolean(L"FontUnderline", defaultFont.Underline);

    record.txtCaption = in.Text(L"txtCaption", context.DefaultMessage);

    const auto time = in.Integer(L"Time");
    record.Time = time && ItemValue(kTimeLengths, *time) ? *time : kDefaultTimeIndex;

    record.optList = in.Boolean(L"optList", false);
    record.optTimeLength = in.Boolean(L"optTimeLength", true);

    record.BackgroundColor = in.ColourValue(L"BackgroundColor", kWhite);
    record.TextColor = in.ColourValue(L"TextColor", kBlack);

    const auto date = in.Date(L"Date");
    record.Date = date ? WholeSeconds(*date) : in.Now();
    const auto everyday = in.Date(L"Everyday");
    record.Everyday = TimeOfDay(everyday ? *everyday : in.Now());

    record.When = ThreeWay(in.Integer(L"WhenToDisplay"), WhenToDisplay::Pause);
    record.Background = ThreeWay(in.Integer(L"ScreenBackground"), ScreenBackground::Transparent);

    // An unusable pause leaves the list on the entry it shows.
    const auto pause = in.Integer(L"Pause");
    if (pause && ItemValue(kPauses, *pause)) record.Pause = *pause;
}

void SaveSettings(const SettingsRecord& record, const CarriedValues& carried, SettingsStore& store,
                  const RegionalFormats& formats) {
    const auto write = [&store](std::wstring_view name, const std::wstring& text) {
        store.Write(name, text);
    };
    write(L"txtCaption", record.txtCaption);
    write(L"Time", FormatInteger(record.Time));
    write(L"Pause", FormatInteger(record.Pause));
    write(L"optList", FormatBoolean(record.optList));
    write(L"optTimeLength", FormatBoolean(record.optTimeLength));
    write(L"LastMessageKey", FormatInteger(carried.LastMessageKey));
    write(L"LastMessageDate", formats.DateTimeToText(carried.LastMessageDate));
    write(L"BackgroundColor", FormatColour(record.BackgroundColor));
    write(L"TextColor", FormatColour(record.TextColor));
    write(L"FontBold", FormatBoolean(record.Font.Bold));
    write(L"FontItalic", FormatBoolean(record.Font.Italic));
    write(L"FontName", record.Font.Name);
    write(L"FontSize", FormatFontSize(record.Font.Size, formats.DecimalSeparator()));
    write(L"FontStrikethru", FormatBoolean(record.Font.Strikethru));
    write(L"FontTransparent", FormatBoolean(record.FontTransparent));
    write(L"FontUnderline", FormatBoolean(record.Font.Underline));
    write(L"WhenToDisplay", FormatInteger(static_cast<int>(record.When)));
    write(L"ScreenBackground", FormatInteger(static_cast<int>(record.Background)));
    write(L"Date", DateValueText(record, formats));
    write(L"Everyday", EverydayValueText(record, formats));
}

void ResetToDefaults(SettingsRecord& record, std::wstring_view defaultMessage) {
    record.txtCaption = defaultMessage;
    record.Time = kDefaultTimeIndex;
    record.Pause = kDefaultPauseIndex;
    record.Font = FontDescription{};
    record.FontTransparent = true;
    record.optList = false;
    record.BackgroundColor = kWhite;
    record.TextColor = kBlack;
    record.When = WhenToDisplay::Pause;
    record.Background = ScreenBackground::Transparent;
    record.optTimeLength = true;
}

CarriedValues LoadCarriedValues(SettingsStore& store, const SettingsContext& context) {
    Reader in(store, context);
    CarriedValues carried;
    carried.LastMessageKey = in.Integer(L"LastMessageKey").value_or(0);
    const auto date = in.Date(L"LastMessageDate");
    carried.LastMessageDate = date ? *date : DatePart(in.Now()) - 1;
    carried.Enabled = in.Boolean(L"Enabled", true);
    return carried;
}

void SaveEnabled(bool enabled, SettingsStore& store) {
    store.Write(L"Enabled", FormatBoolean(enabled));
}

std::wstring DateValueText(const SettingsRecord& record, const RegionalFormats& formats) {
    return record.Date ? DateAndTimeText(formats, *record.Date) : std::wstring();
}

std::wstring EverydayValueText(const SettingsRecord& record, const RegionalFormats& formats) {
    return record.Everyday ? formats.DateTimeToText(TimeOfDay(*record.Everyday)) : std::wstring();
}

} // namespace uplift

#include "settings/settings.h"

#include "schedule/durations.h"
#include "settings/stored_date.h"
#include "settings/text_forms.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>

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

// Everything one stored value is read into or written from.
struct Values {
    SettingsRecord& Record;
    CarriedValues& Carried;
};

// How a value is written and read. Each form checks what it reads; a text that does not convert
// gives the default, so a hand-edited store never stops the program.
enum class TextForm {
    Text,
    FaceName, // text of 1..31 characters
    Boolean,
    Integer,
    TimeIndex,  // an index of cboTime
    PauseIndex, // an index of cboPause; an unusable one keeps the current selection
    Colour,
    FontSize, // number with the regional decimal separator
    Choice,   // 0, 1, or anything else for the third option
    DateAndTime,
    TimeOfDay,
    Date,
};

// Which of the three walks take a row.
enum Walk : unsigned {
    kLoad = 1,    // LoadSettings
    kSave = 2,    // SaveSettings
    kReset = 4,   // ResetToDefaults
    kCarried = 8, // LoadCarriedValues
};

template <typename T> using Field = T& (*)(Values&);
using AnyField = std::variant<Field<std::wstring>, Field<bool>, Field<int>, Field<Colour>, Field<float>,
                              Field<WhenToDisplay>, Field<ScreenBackground>, Field<std::optional<DateTime>>,
                              Field<DateTime>>;

struct Row {
    std::wstring_view Name;
    TextForm Form;
    AnyField Field;
    unsigned Walks;
};

// Every stored value, in the order they are written.
const std::array<Row, 21> kRows{{
    {L"txtCaption", TextForm::Text, +[](Values& v) -> std::wstring& { return v.Record.txtCaption; },
     kLoad | kSave | kReset},
    {L"Time", TextForm::TimeIndex, +[](Values& v) -> int& { return v.Record.Time; }, kLoad | kSave | kReset},
    {L"Pause", TextForm::PauseIndex, +[](Values& v) -> int& { return v.Record.Pause; }, kLoad | kSave | kReset},
    {L"optList", TextForm::Boolean, +[](Values& v) -> bool& { return v.Record.optList; }, kLoad | kSave | kReset},
    {L"optTimeLength", TextForm::Boolean, +[](Values& v) -> bool& { return v.Record.optTimeLength; },
     kLoad | kSave | kReset},
    {L"LastMessageKey", TextForm::Integer, +[](Values& v) -> std::int32_t& { return v.Carried.LastMessageKey; },
     kSave | kCarried},
    {L"LastMessageDate", TextForm::Date, +[](Values& v) -> DateTime& { return v.Carried.LastMessageDate; },
     kSave | kCarried},
    {L"BackgroundColor", TextForm::Colour, +[](Values& v) -> Colour& { return v.Record.BackgroundColor; },
     kLoad | kSave | kReset},
    {L"TextColor", TextForm::Colour, +[](Values& v) -> Colour& { return v.Record.TextColor; },
     kLoad | kSave | kReset},
    {L"FontBold", TextForm::Boolean, +[](Values& v) -> bool& { return v.Record.Font.Bold; },
     kLoad | kSave | kReset},
    {L"FontItalic", TextForm::Boolean, +[](Values& v) -> bool& { return v.Record.Font.Italic; },
     kLoad | kSave | kReset},
    {L"FontName", TextForm::FaceName, +[](Values& v) -> std::wstring& { return v.Record.Font.Name; },
     kLoad | kSave | kReset},
    {L"FontSize", TextForm::FontSize, +[](Values& v) -> float& { return v.Record.Font.Size; },
     kLoad | kSave | kReset},
    {L"FontStrikethru", TextForm::Boolean, +[](Values& v) -> bool& { return v.Record.Font.Strikethru; },
     kLoad | kSave | kReset},
    {L"FontTransparent", TextForm::Boolean, +[](Values& v) -> bool& { return v.Record.FontTransparent; },
     kLoad | kSave | kReset},
    {L"FontUnderline", TextForm::Boolean, +[](Values& v) -> bool& { return v.Record.Font.Underline; },
     kLoad | kSave | kReset},
    {L"WhenToDisplay", TextForm::Choice, +[](Values& v) -> WhenToDisplay& { return v.Record.When; },
     kLoad | kSave | kReset},
    {L"ScreenBackground", TextForm::Choice, +[](Values& v) -> ScreenBackground& { return v.Record.Background; },
     kLoad | kSave | kReset},
    {L"Date", TextForm::DateAndTime, +[](Values& v) -> std::optional<DateTime>& { return v.Record.Date; },
     kLoad | kSave},
    {L"Everyday", TextForm::TimeOfDay, +[](Values& v) -> std::optional<DateTime>& { return v.Record.Everyday; },
     kLoad | kSave},
    // Written by the Enable/Disable command alone (SaveEnabled).
    {L"Enabled", TextForm::Boolean, +[](Values& v) -> bool& { return v.Carried.Enabled; }, kCarried},
}};

// The defaults: a fresh record and fresh carried values, with the clock's values taken now.
struct Defaults {
    SettingsRecord Record;
    CarriedValues Carried;
    Defaults(const SettingsContext& context) {
        Record.txtCaption = context.DefaultMessage;
        const DateTime now = context.Time.Now();
        Record.Date = WholeSeconds(now);
        Record.Everyday = TimeOfDay(now);
        Carried.LastMessageDate = DatePart(now) - 1;
    }
};

template <typename T>
std::optional<T> Parse(TextForm form, std::wstring_view text, const RegionalFormats& formats) {
    if constexpr (std::is_same_v<T, std::wstring>) {
        if (form == TextForm::FaceName && (text.empty() || text.size() > kMaxFontName)) return std::nullopt;
        return std::wstring(text);
    } else if constexpr (std::is_same_v<T, bool>) {
        return ParseBoolean(text);
    } else if constexpr (std::is_same_v<T, int> || std::is_same_v<T, std::int32_t>) {
        const auto value = ParseInteger(text);
        if (!value) return std::nullopt;
        if (form == TextForm::TimeIndex && !ItemValue(kTimeLengths, *value)) return std::nullopt;
        if (form == TextForm::PauseIndex && !ItemValue(kPauses, *value)) return std::nullopt;
        return *value;
    } else if constexpr (std::is_same_v<T, Colour>) {
        return ParseColour(text);
    } else if constexpr (std::is_same_v<T, float>) {
        return ParseFontSize(text, formats.DecimalSeparator());
    } else if constexpr (std::is_enum_v<T>) {
        const auto value = ParseInteger(text);
        if (!value) return std::nullopt;
        return T{*value == 0 ? 0 : *value == 1 ? 1 : 2};
    } else {
        const auto value = ParseDate(text, formats);
        if (!value) return std::nullopt;
        if (form == TextForm::TimeOfDay) return TimeOfDay(*value);
        if (form == TextForm::DateAndTime) return WholeSeconds(*value);
        return *value;
    }
}

template <typename T> std::wstring Format(TextForm form, const T& value, const RegionalFormats& formats) {
    if constexpr (std::is_same_v<T, std::wstring>) {
        return value;
    } else if constexpr (std::is_same_v<T, bool>) {
        return FormatBoolean(value);
    } else if constexpr (std::is_same_v<T, Colour>) {
        return FormatColour(value);
    } else if constexpr (std::is_same_v<T, float>) {
        return FormatFontSize(value, formats.DecimalSeparator());
    } else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) {
        return FormatInteger(static_cast<std::int64_t>(value));
    } else if constexpr (std::is_same_v<T, DateTime>) {
        return FormatDate(value, formats);
    } else {
        // A picker without a value stores an empty text.
        if (!value) return {};
        if (form == TextForm::TimeOfDay) return FormatDate(TimeOfDay(*value), formats);
        return FormatDate(*value, formats, DateTextForm::DateAndTime);
    }
}

// Reads every row of `walk` from the store; an absent or unusable text takes the default.
void ReadRows(unsigned walk, Values target, SettingsStore& store, const SettingsContext& context) {
    Defaults defaults(context);
    Values fallback{defaults.Record, defaults.Carried};
    for (const Row& row : kRows) {
        if (!(row.Walks & walk)) continue;
        std::visit(
            [&](auto field) {
                auto& value = field(target);
                using T = std::remove_reference_t<decltype(value)>;
                const auto text = store.Read(row.Name);
                std::optional<T> parsed;
                if (text) parsed = Parse<T>(row.Form, *text, context.Formats);
                if (parsed)
                    value = *parsed;
                else if (row.Form != TextForm::PauseIndex)
                    value = field(fallback);
            },
            row.Field);
    }
}

} // namespace

void LoadSettings(SettingsRecord& record, SettingsStore& store, const SettingsContext& context) {
    CarriedValues unused;
    ReadRows(kLoad, {record, unused}, store, context);
}

bool SaveSettings(const SettingsRecord& record, const CarriedValues& carried, SettingsStore& store,
                  const RegionalFormats& formats) {
    // The rows hand out references for reading and writing alike; saving only reads them.
    Values source{const_cast<SettingsRecord&>(record), const_cast<CarriedValues&>(carried)};
    bool allWritten = true;
    for (const Row& row : kRows) {
        if (!(row.Walks & kSave)) continue;
        const std::wstring text =
            std::visit([&](auto field) { return Format(row.Form, field(source), formats); }, row.Field);
        // Every value is tried even after a failure: what can be saved is saved.
        if (!store.Write(row.Name, text)) allWritten = false;
    }
    return allWritten;
}

void ResetToDefaults(SettingsRecord& record, std::wstring_view defaultMessage) {
    SettingsRecord defaults;
    defaults.txtCaption = defaultMessage;
    CarriedValues unused, unusedDefaults;
    Values target{record, unused}, source{defaults, unusedDefaults};
    for (const Row& row : kRows) {
        if (row.Walks & kReset) std::visit([&](auto field) { field(target) = field(source); }, row.Field);
    }
}

CarriedValues LoadCarriedValues(SettingsStore& store, const SettingsContext& context) {
    SettingsRecord unused;
    CarriedValues carried;
    ReadRows(kCarried, {unused, carried}, store, context);
    return carried;
}

bool SaveEnabled(bool enabled, SettingsStore& store) {
    return store.Write(L"Enabled", FormatBoolean(enabled));
}

std::wstring DateValueText(const SettingsRecord& record, const RegionalFormats& formats) {
    return Format(TextForm::DateAndTime, record.Date, formats);
}

std::wstring EverydayValueText(const SettingsRecord& record, const RegionalFormats& formats) {
    return Format(TextForm::TimeOfDay, record.Everyday, formats);
}

} // namespace uplift

#include "settings/settings.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace uplift {

std::ostream& operator<<(std::ostream& out, const SettingsRecord& r) {
    auto show = [](const std::optional<DateTime>& d) { return d ? std::to_string(*d) : std::string("none"); };
    return out << "{caption " << testing::PrintToString(r.txtCaption) << ", list " << r.optList << ", time "
               << r.Time << ", timeLength " << r.optTimeLength << ", pause " << r.Pause << ", when "
               << static_cast<int>(r.When) << ", everyday " << show(r.Everyday) << ", date " << show(r.Date)
               << ", background " << static_cast<int>(r.Background) << ", colours " << r.BackgroundColor
               << '/' << r.TextColor << ", font " << testing::PrintToString(r.Font.Name) << ' ' << r.Font.Size
               << ' ' << r.Font.Bold << r.Font.Italic << r.Font.Strikethru << r.Font.Underline
               << ", transparent " << r.FontTransparent << '}';
}

namespace {

using Names = std::vector<std::wstring>;

const Names kLoadOrder = {
    L"FontBold",      L"FontItalic", L"FontName", L"FontSize",      L"FontStrikethru",   L"FontTransparent",
    L"FontUnderline", L"txtCaption", L"Time",     L"optList",       L"optTimeLength",    L"BackgroundColor",
    L"TextColor",     L"Date",       L"Everyday", L"WhenToDisplay", L"ScreenBackground", L"Pause"};

const Names kSaveOrder = {L"txtCaption",
                          L"Time",
                          L"Pause",
                          L"optList",
                          L"optTimeLength",
                          L"LastMessageKey",
                          L"LastMessageDate",
                          L"BackgroundColor",
                          L"TextColor",
                          L"FontBold",
                          L"FontItalic",
                          L"FontName",
                          L"FontSize",
                          L"FontStrikethru",
                          L"FontTransparent",
                          L"FontUnderline",
                          L"WhenToDisplay",
                          L"ScreenBackground",
                          L"Date",
                          L"Everyday"};

std::string Show(std::wstring_view text) {
    return text.size() > 40 ? "<" + std::to_string(text.size()) + " characters>"
                            : testing::PrintToString(std::wstring(text));
}

class SettingsTest : public testing::Test {
  protected:
    ManualClock clock{{2026, 12, 6, 13, 5, 9, 400}};
    EnUsRegionalFormats formats;
    SettingsContext context{formats, clock};
    MemorySettingsStore store;

    SettingsRecord Load(SettingsRecord record = {}) {
        LoadSettings(record, store, context);
        return record;
    }
    // The record as an empty store loads it at the clock's moment.
    SettingsRecord Defaults() const {
        SettingsRecord r;
        r.txtCaption = kDefaultMessage;
        r.Date = clock.Now();
        r.Everyday = TimeSerial(13, 5, 9);
        return r;
    }
    // A record in which every field differs from its default.
    static SettingsRecord Edited() {
        SettingsRecord r;
        r.txtCaption = L"Calm, \"quoted\" and\ttabbed";
        r.optList = true;
        r.Time = 22;
        r.optTimeLength = false;
        r.Pause = 20;
        r.When = WhenToDisplay::Date;
        r.Everyday = TimeSerial(0, 0, 1);
        r.Date = FromCivil({2024, 2, 29, 12, 0, 0, 0});
        r.Background = ScreenBackground::BackgroundFull;
        r.BackgroundColor = 0x123456;
        r.TextColor = kWhite;
        r.Font = {L"Times New Roman", 10.5f, true, true, true, true};
        r.FontTransparent = false;
        return r;
    }
};

TEST_F(SettingsTest, EmptyStoreLoadsTheDefaultsAtTheMomentOfLoading) {
    const SettingsRecord r = Load();
    EXPECT_TRUE(r.optPause());
    EXPECT_EQ(r.Background, ScreenBackground::Transparent);
    EXPECT_TRUE(r.optTimeLength);
    EXPECT_TRUE(r.optSingle());
    EXPECT_EQ(r.Time, 7);
    EXPECT_EQ(r.Pause, 10);
    EXPECT_EQ(r.Font, (FontDescription{L"Arial", 48.0f, false, false, false, false}));
    EXPECT_EQ(r.BackgroundColor, 16777215u);
    EXPECT_EQ(r.TextColor, 0u);
    EXPECT_EQ(r.Date, FromCivil({2026, 12, 6, 13, 5, 9, 0}));
    EXPECT_EQ(r.Everyday, TimeSerial(13, 5, 9));
    EXPECT_EQ(r, Defaults());

    // Cancel with nothing saved: the pickers follow the clock.
    clock.AdvanceSeconds(3600);
    const SettingsRecord again = Load(r);
    EXPECT_EQ(again.Date, FromCivil({2026, 12, 6, 14, 5, 9, 0}));
    EXPECT_EQ(again.Everyday, TimeSerial(14, 5, 9));
}

TEST_F(SettingsTest, LoadReadsEachValueOnceInItsOrder) {
    Load();
    EXPECT_EQ(store.reads, kLoadOrder);
    EXPECT_TRUE(store.writes.empty());
}

TEST_F(SettingsTest, SaveWritesEachValueOnceInItsOrder) {
    SaveSettings(Defaults(), {}, store, formats);
    EXPECT_EQ(store.writes, kSaveOrder);
    EXPECT_TRUE(store.reads.empty());
}

TEST_F(SettingsTest, SavedTextsAreTheStoredForms) {
    const CarriedValues carried{-5, FromCivil({2026, 12, 5, 0, 0, 0, 0}), false};
    SaveSettings(Edited(), carried, store, formats);
    const std::map<std::wstring, std::wstring> expected = {
        {L"txtCaption", L"Calm, \"quoted\" and\ttabbed"},
        {L"Time", L"22"},
        {L"Pause", L"20"},
        {L"optList", L"True"},
        {L"optTimeLength", L"False"},
        {L"LastMessageKey", L"-5"},
        {L"LastMessageDate", L"12/5/2026"},
        {L"BackgroundColor", L"1193046"},
        {L"TextColor", L"16777215"},
        {L"FontBold", L"True"},
        {L"FontItalic", L"True"},
        {L"FontName", L"Times New Roman"},
        {L"FontSize", L"10.5"},
        {L"FontStrikethru", L"True"},
        {L"FontTransparent", L"False"},
        {L"FontUnderline", L"True"},
        {L"WhenToDisplay", L"2"},
        {L"ScreenBackground", L"2"},
        {L"Date", L"2/29/2024 12:00:00 PM"},
        {L"Everyday", L"12:00:01 AM"},
    };
    EXPECT_EQ(store.values, expected);
}

TEST_F(SettingsTest, EverythingSavedLoadsBackTheSame) {
    for (wchar_t separator : {L'.', L','}) {
        const EnUsRegionalFormats region(separator);
        const SettingsContext regional{region, clock};
        SettingsRecord edited = Edited();
        // Midnight and noon, the two hours that 12-hour texts can confuse.
        for (DateTime everyday : {0.0, 0.5, TimeSerial(23, 59, 59)}) {
            edited.Everyday = everyday;
            MemorySettingsStore saved;
            SaveSettings(edited, {}, saved, region);
            SettingsRecord loaded;
            LoadSettings(loaded, saved, regional);
            EXPECT_EQ(loaded, edited)
                << "separator " << static_cast<char>(separator) << " everyday " << everyday;
        }
    }
    MemorySettingsStore saved;
    SaveSettings(Edited(), {}, saved, EnUsRegionalFormats(L','));
    EXPECT_EQ(saved.values[L"FontSize"], L"10,5");
}

TEST_F(SettingsTest, EveryModeNumberAboveOneIsTheThirdChoice) {
    struct Case {
        const wchar_t* Text;
        int Choice;
    };
    static constexpr Case kCases[] = {
        {L"0", 0},
        {L"1", 1},
        {L"2", 2},
        {L"7", 2},
        {L"-1", 2},
        {L" 1 ", 1},
        {L"2147483647", 2},
        // Not a number: the default, the first choice.
        {L"", 0},
        {L"x", 0},
        {L"1.5", 0},
        {L"1e3", 0},
        {L"99999999999", 0},
    };
    for (const Case& c : kCases) {
        store.values = {{L"WhenToDisplay", c.Text}, {L"ScreenBackground", c.Text}};
        SettingsRecord start = Defaults();
        start.When = WhenToDisplay::Everyday; // the stored value, not the record, decides
        start.Background = ScreenBackground::Background;
        const SettingsRecord r = Load(start);
        EXPECT_EQ(static_cast<int>(r.When), c.Choice) << Show(c.Text);
        EXPECT_EQ(static_cast<int>(r.Background), c.Choice) << Show(c.Text);
    }
}

TEST_F(SettingsTest, IndexesOutsideTheirListsAreNotUsed) {
    struct Case {
        const wchar_t* Text;
        int Time;  // 7 when unusable
        int Pause; // the record's 3 kept when unusable
    };
    static constexpr Case kCases[] = {
        {L"0", 0, 0},           {L"20", 20, 20}, {L"21", 21, 3}, {L"22", 22, 3}, {L"23", 7, 3},
        {L"  12  ", 12, 12},    {L"-0", 0, 0},   {L"-1", 7, 3},  {L"1e3", 7, 3}, {L"0x10", 7, 3},
        {L"99999999999", 7, 3}, {L"", 7, 3},     {L"ten", 7, 3}, {L"5.0", 7, 3},
    };
    for (const Case& c : kCases) {
        store.values = {{L"Time", c.Text}, {L"Pause", c.Text}};
        SettingsRecord start;
        start.Time = 15;
        start.Pause = 3;
        const SettingsRecord r = Load(start);
        EXPECT_EQ(r.Time, c.Time) << Show(c.Text);
        EXPECT_EQ(r.Pause, c.Pause) << Show(c.Text);
    }
    store.values = {{L"Time", std::wstring(100'000, L'7')}, {L"Pause", std::wstring(100'000, L'1')}};
    EXPECT_EQ(Load().Time, 7);
    EXPECT_EQ(Load().Pause, kDefaultPauseIndex);
}

// A hand-edited store: every value holds the same text that is no number, no Boolean and no date. Each loads
// its default, the pickers the clock's moment, and the pause keeps what the list showed.
TEST_F(SettingsTest, BadTextsLoadTheDefaults) {
    const std::wstring bad[] = {
        L"garbage",
        L"1e3",
        L"0x10",
        L"-",
        L"True False",
        L"\x00e9\x4e2d",
        L"13/45/2026",
        L"12/6/2026 25:00",
        std::wstring(100'000, L'x'),
        L"1" + std::wstring(100'000, L' ') + L"1",
    };
    for (const std::wstring& text : bad) {
        store.values.clear();
        for (const std::wstring& name : kLoadOrder)
            if (name != L"txtCaption" && name != L"FontName") store.values[name] = text;
        SettingsRecord start = Edited();
        start.Pause = 4;
        SettingsRecord expected = Defaults();
        expected.Pause = 4;
        EXPECT_EQ(Load(start), expected) << Show(text);
    }
}

TEST_F(SettingsTest, EmptyTextsLoadTheDefaultsButTheCaptionStaysEmpty) {
    for (const std::wstring& name : kLoadOrder)
        store.values[name] = L"";
    SettingsRecord expected = Defaults();
    expected.txtCaption = L"";
    EXPECT_EQ(Load(), expected);
}

TEST_F(SettingsTest, TextsLoadWhole) {
    const std::wstring longText(100'000, L'a');
    store.values = {{L"txtCaption", longText}, {L"FontName", L"  Courier New  "}};
    const SettingsRecord r = Load();
    EXPECT_EQ(r.txtCaption, longText);
    EXPECT_EQ(r.Font.Name, L"  Courier New  ");
}

TEST_F(SettingsTest, FontNamesThePlatformCannotHoldBecomeArial) {
    struct Case {
        std::wstring Stored;
        std::wstring Loaded;
    };
    const Case cases[] = {
        {L"", L"Arial"},
        {std::wstring(31, L'F'), std::wstring(31, L'F')},
        {std::wstring(32, L'F'), L"Arial"},
        {std::wstring(100'000, L'F'), L"Arial"},
        {L"Segoe UI", L"Segoe UI"},
    };
    for (const Case& c : cases) {
        store.values = {{L"FontName", c.Stored}};
        EXPECT_EQ(Load().Font.Name, c.Loaded) << Show(c.Stored);
    }
}

TEST_F(SettingsTest, OtherReadableFormsAreAccepted) {
    store.values = {
        {L"FontBold", L" true"},
        {L"FontItalic", L"-1"},
        {L"FontStrikethru", L"1.5"},
        {L"FontTransparent", L"0.0"},
        {L"FontUnderline", L"FALSE"},
        {L"FontSize", L" 9 "},
        {L"BackgroundColor", L"-0"},
        {L"TextColor", L" 255 "},
        {L"Date", L"12/6/2026"},               // a date alone is midnight
        {L"Everyday", L"1/2/2030 7:30:15 pm"}, // only the time of day counts
    };
    const SettingsRecord r = Load();
    EXPECT_EQ(r.Font, (FontDescription{L"Arial", 9.0f, true, true, true, false}));
    EXPECT_FALSE(r.FontTransparent);
    EXPECT_EQ(r.BackgroundColor, 0u);
    EXPECT_EQ(r.TextColor, 255u);
    EXPECT_EQ(r.Date, DateSerial(2026, 12, 6));
    EXPECT_EQ(r.Everyday, TimeSerial(19, 30, 15));
}

TEST_F(SettingsTest, CommaRegionReadsBothSeparators) {
    const EnUsRegionalFormats comma(L',');
    const SettingsContext regional{comma, clock};
    for (const wchar_t* text : {L"10,5", L"10.5"}) {
        store.values = {{L"FontSize", text}};
        SettingsRecord r;
        LoadSettings(r, store, regional);
        EXPECT_EQ(r.Font.Size, 10.5f) << Show(text);
    }
}

TEST_F(SettingsTest, DefaultThenSaveKeepsPickersAndCarriedValues) {
    SettingsRecord record = Edited();
    SaveSettings(record, {}, store, formats);
    SaveEnabled(false, store);
    const CarriedValues carried = LoadCarriedValues(store, context);

    ResetToDefaults(record);
    SaveSettings(record, carried, store, formats);

    SettingsRecord expected = Defaults();
    expected.Date = Edited().Date;
    expected.Everyday = Edited().Everyday;
    EXPECT_EQ(record, expected);
    EXPECT_EQ(Load(), expected);
    EXPECT_EQ(LoadCarriedValues(store, context), carried);
    EXPECT_EQ(store.values[L"Enabled"], L"False");
}

TEST_F(SettingsTest, DefaultThenCancelBringsTheStoredValuesBack) {
    SaveSettings(Edited(), {}, store, formats);
    SettingsRecord record = Load();
    ResetToDefaults(record, L"Another default");
    EXPECT_EQ(record.txtCaption, L"Another default");
    EXPECT_EQ(Load(record), Edited());
}

TEST_F(SettingsTest, CarriedValuesDefaultToZeroYesterdayAndEnabled) {
    const CarriedValues carried = LoadCarriedValues(store, context);
    EXPECT_EQ(store.reads, (Names{L"LastMessageKey", L"LastMessageDate", L"Enabled"}));
    EXPECT_EQ(carried, (CarriedValues{0, DateSerial(2026, 12, 5), true}));

    // The first save writes them as they were read.
    SaveSettings(Defaults(), carried, store, formats);
    EXPECT_EQ(store.values[L"LastMessageKey"], L"0");
    EXPECT_EQ(store.values[L"LastMessageDate"], L"12/5/2026");
    EXPECT_EQ(store.values.count(L"Enabled"), 0u);
}

TEST_F(SettingsTest, CarriedValuesTravelUnchanged) {
    struct Case {
        const wchar_t* Key;
        const wchar_t* Date;
    };
    static constexpr Case kCases[] = {
        {L"0", L"12/5/2026"},
        {L"-2147483648", L"2/29/2024"},
        {L"2147483647", L"1/1/2000 3:04:05 PM"},
        {L"42", L"12/31/9999 11:59:59 PM"},
    };
    for (const Case& c : kCases) {
        store.values = {{L"LastMessageKey", c.Key}, {L"LastMessageDate", c.Date}};
        const CarriedValues carried = LoadCarriedValues(store, context);
        MemorySettingsStore saved;
        SaveSettings(Defaults(), carried, saved, formats);
        EXPECT_EQ(saved.values[L"LastMessageKey"], c.Key);
        EXPECT_EQ(saved.values[L"LastMessageDate"], c.Date);
    }
}

TEST_F(SettingsTest, UnreadableCarriedValuesFallBack) {
    store.values = {
        {L"LastMessageKey", L"99999999999"}, {L"LastMessageDate", L"yesterday"}, {L"Enabled", L"on"}};
    EXPECT_EQ(LoadCarriedValues(store, context), (CarriedValues{0, DateSerial(2026, 12, 5), true}));
}

TEST_F(SettingsTest, EnabledIsWrittenAlone) {
    for (bool enabled : {false, true}) {
        MemorySettingsStore own;
        SaveEnabled(enabled, own);
        EXPECT_EQ(own.writes, Names{L"Enabled"});
        EXPECT_EQ(own.values[L"Enabled"], enabled ? L"True" : L"False");
        EXPECT_EQ(LoadCarriedValues(own, context).Enabled, enabled);
    }
}

TEST_F(SettingsTest, EmptyPickersSaveEmptyTexts) {
    SettingsRecord record = Defaults();
    record.Date.reset();
    record.Everyday.reset();
    EXPECT_EQ(DateValueText(record, formats), L"");
    EXPECT_EQ(EverydayValueText(record, formats), L"");
    // And an empty text loads the clock's moment again.
    SaveSettings(record, {}, store, formats);
    EXPECT_EQ(Load(), Defaults());
}

TEST_F(SettingsTest, PickerTexts) {
    SettingsRecord record;
    record.Date = FromCivil({2026, 12, 6, 0, 0, 0, 0});
    record.Everyday = TimeSerial(7, 30, 15);
    EXPECT_EQ(DateValueText(record, formats), L"12/6/2026 12:00:00 AM"); // midnight still shows its time
    EXPECT_EQ(EverydayValueText(record, formats), L"7:30:15 AM");
    record.Everyday = 0.0;
    EXPECT_EQ(EverydayValueText(record, formats), L"12:00:00 AM");
}

} // namespace
} // namespace uplift

#include "settings/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace uplift {

namespace {

using Names = std::vector<std::wstring>;

const Names kLoadOrder = {
    L"FontBold",      L"FontItalic", L"FontName", L"FontSize",      L"FontStrikethru",   L"FontTransparent",
    L"FontUnderline", L"txtCaption", L"Time",     L"optList",       L"optTimeLength",    L"BackgroundColor",
    L"TextColor",     L"Date",       L"Everyday", L"WhenToDisplay", L"ScreenBackground", L"Pause"};

std::string Show(std::wstring_view text) {
    return text.size() > 40 ? std::to_string(text.size()) + " characters"
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
    // What an empty store loads at the clock's moment.
    SettingsRecord Defaults() const {
        SettingsRecord r;
        r.txtCaption = kDefaultMessage;
        r.Date = FromCivil({2026, 12, 6, 13, 5, 9, 0});
        r.Everyday = TimeSerial(13, 5, 9);
        return r;
    }
    // Every field away from its default; the saved texts of these are below.
    // clang-format off
    static SettingsRecord Edited() {
        return {L"Calm,\t\"quoted\"", true, 22, false, 20, WhenToDisplay::Date, TimeSerial(0, 0, 1),
                FromCivil({2024, 2, 29, 12, 0, 0, 0}), ScreenBackground::BackgroundFull, 0x123456, kWhite,
                {L"Times New Roman", 10.5f, true, true, true, true}, false};
    }
    // clang-format on
};

TEST_F(SettingsTest, EmptyStoreLoadsTheDefaultsAtTheMomentOfLoading) {
    const SettingsRecord r = Load();
    EXPECT_TRUE(r.optPause() && r.optTimeLength && r.optSingle() && r.FontTransparent);
    EXPECT_EQ(r.Background, ScreenBackground::Transparent);
    EXPECT_EQ(r.Time * 100 + r.Pause, 710) << "50 millisecond, 1 minuet";
    EXPECT_EQ(r.Font, (FontDescription{L"Arial", 48.0f, false, false, false, false}));
    EXPECT_EQ(r.BackgroundColor, 16777215u);
    EXPECT_EQ(r.TextColor, 0u);
    EXPECT_TRUE(r == Defaults());

    clock.AdvanceSeconds(3600); // Cancel an hour later: the pickers follow the clock
    EXPECT_EQ(Load(r).Date, FromCivil({2026, 12, 6, 14, 5, 9, 0}));
    EXPECT_EQ(Load(r).Everyday, TimeSerial(14, 5, 9));
}

TEST_F(SettingsTest, SaveWritesEveryValueInItsOrderAndForm) {
    SaveSettings(Edited(), {-5, DateSerial(2026, 12, 5), false}, store, EnUsRegionalFormats(L','));
    // clang-format off
    const std::vector<std::pair<std::wstring, std::wstring>> expected = {
        {L"txtCaption", L"Calm,\t\"quoted\""}, {L"Time", L"22"}, {L"Pause", L"20"}, {L"optList", L"True"},
        {L"optTimeLength", L"False"}, {L"LastMessageKey", L"-5"}, {L"LastMessageDate", L"12/5/2026"},
        {L"BackgroundColor", L"1193046"}, {L"TextColor", L"16777215"}, {L"FontBold", L"True"},
        {L"FontItalic", L"True"}, {L"FontName", L"Times New Roman"}, {L"FontSize", L"10,5"},
        {L"FontStrikethru", L"True"}, {L"FontTransparent", L"False"}, {L"FontUnderline", L"True"},
        {L"WhenToDisplay", L"2"}, {L"ScreenBackground", L"2"}, {L"Date", L"2/29/2024 12:00:00 PM"},
        {L"Everyday", L"12:00:01 AM"}};
    // clang-format on
    ASSERT_EQ(store.writes.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(store.writes[i], expected[i].first) << "write " << i;
        EXPECT_EQ(store.values[expected[i].first], expected[i].second) << Show(expected[i].first);
    }
}

TEST_F(SettingsTest, EverythingSavedLoadsBackTheSameInBothRegions) {
    for (wchar_t separator : {L'.', L','})
        for (DateTime everyday : {0.0, 0.5, TimeSerial(23, 59, 59)}) { // midnight and noon are the 12s
            const EnUsRegionalFormats region(separator);
            SettingsRecord edited = Edited();
            edited.Everyday = everyday;
            MemorySettingsStore saved;
            SaveSettings(edited, {}, saved, region);
            SettingsRecord loaded;
            LoadSettings(loaded, saved, {region, clock});
            EXPECT_EQ(loaded, edited)
                << "separator " << static_cast<char>(separator) << " everyday " << everyday;
        }
}

TEST_F(SettingsTest, NumbersLoadOnlyWhereTheyMeanSomething) {
    struct Case {
        const wchar_t* Text;
        int Time;  // 7 when unusable
        int Pause; // the 3 shown before is kept when unusable
        int Mode;  // WhenToDisplay and ScreenBackground: above 1 is the third choice, not a number the first
    };
    // clang-format off
    static constexpr Case kCases[] = {
        {L"0", 0, 0, 0},   {L"1", 1, 1, 1},  {L"20", 20, 20, 2}, {L"22", 22, 3, 2}, {L"23", 7, 3, 2},
        {L"-1", 7, 3, 2},  {L"  12  ", 12, 12, 2}, {L"1e3", 7, 3, 0},  {L"", 7, 3, 0}, {L"99999999999", 7, 3, 0},
    };
    // clang-format on
    for (const Case& c : kCases) {
        store.values = {
            {L"Time", c.Text}, {L"Pause", c.Text}, {L"WhenToDisplay", c.Text}, {L"ScreenBackground", c.Text}};
        SettingsRecord start = Edited(); // the stored values, not these, decide
        start.Pause = 3;
        const SettingsRecord r = Load(start);
        EXPECT_EQ(r.Time, c.Time) << Show(c.Text);
        EXPECT_EQ(r.Pause, c.Pause) << Show(c.Text);
        EXPECT_EQ(static_cast<int>(r.When), c.Mode) << Show(c.Text);
        EXPECT_EQ(static_cast<int>(r.Background), c.Mode) << Show(c.Text);
    }
}

// A hand-edited store: every value holds a text that is no number, no Boolean and no date.
TEST_F(SettingsTest, UnconvertibleTextsLoadTheDefaults) {
    for (const std::wstring& text : {std::wstring(L"garbage"), std::wstring(L"True False"),
                                     std::wstring(L"12/6/2026 25:00"), std::wstring(100'000, L'x')}) {
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

TEST_F(SettingsTest, TextsLoadAsStoredWithinWhatTheFontCanHold) {
    struct Case {
        std::wstring Stored, Caption, FontName;
    };
    const Case cases[] = {
        {L"", L"", L"Arial"},
        {L"  Segoe UI  ", L"  Segoe UI  ", L"  Segoe UI  "},
        {std::wstring(31, L'F'), std::wstring(31, L'F'), std::wstring(31, L'F')},
        {std::wstring(32, L'F'), std::wstring(32, L'F'), L"Arial"},
    };
    for (const Case& c : cases) {
        store.values = {{L"txtCaption", c.Stored}, {L"FontName", c.Stored}};
        const SettingsRecord r = Load();
        EXPECT_EQ(r.txtCaption, c.Caption) << Show(c.Stored);
        EXPECT_EQ(r.Font.Name, c.FontName) << Show(c.Stored);
    }
}

TEST_F(SettingsTest, PickersKeepWhatTheyShow) {
    store.values = {{L"Date", L"12/6/2026"}, {L"Everyday", L"1/2/2030 7:30:15 pm"}};
    const SettingsRecord r = Load();
    EXPECT_EQ(r.Date, DateSerial(2026, 12, 6));                     // a date alone is midnight,
    EXPECT_EQ(DateValueText(r, formats), L"12/6/2026 12:00:00 AM"); // which is still written
    EXPECT_EQ(r.Everyday, TimeSerial(19, 30, 15));                  // only the time of day counts
    const SettingsRecord none;
    EXPECT_EQ(DateValueText(none, formats) + EverydayValueText(none, formats), L"");
}

TEST_F(SettingsTest, DefaultThenOkKeepsPickersAndCarriedValuesDefaultThenCancelRestores) {
    SettingsRecord record = Edited();
    SaveSettings(record, {}, store, formats);
    SaveEnabled(false, store);
    const CarriedValues carried = LoadCarriedValues(store, context);
    ResetToDefaults(record, L"Another default");
    EXPECT_EQ(record.txtCaption, L"Another default");
    EXPECT_EQ(Load(record), Edited()); // Cancel

    ResetToDefaults(record);
    SaveSettings(record, carried, store, formats); // OK
    SettingsRecord expected = Defaults();
    expected.Date = Edited().Date;
    expected.Everyday = Edited().Everyday;
    EXPECT_EQ(record, expected);
    EXPECT_EQ(Load(), expected);
    EXPECT_EQ(LoadCarriedValues(store, context), carried);
    EXPECT_EQ(store.values[L"Enabled"], L"False");
}

TEST_F(SettingsTest, CarriedValues) {
    CarriedValues carried = LoadCarriedValues(store, context);
    EXPECT_EQ(store.reads, (Names{L"LastMessageKey", L"LastMessageDate", L"Enabled"}));
    EXPECT_EQ(carried, (CarriedValues{0, DateSerial(2026, 12, 5), true})); // zero, yesterday, enabled

    store.values = {
        {L"LastMessageKey", L"9999999999"}, {L"LastMessageDate", L"yesterday"}, {L"Enabled", L"on"}};
    EXPECT_EQ(LoadCarriedValues(store, context), carried);

    for (auto [key, date] : {std::pair{L"-2147483648", L"2/29/2024"}, {L"42", L"12/31/9999 11:59:59 PM"}}) {
        store.values = {{L"LastMessageKey", key}, {L"LastMessageDate", date}};
        carried = LoadCarriedValues(store, context);
        SaveSettings(Defaults(), carried, store, formats);
        EXPECT_EQ(store.values[L"LastMessageKey"], key);
        EXPECT_EQ(store.values[L"LastMessageDate"], date);
    }
    for (bool enabled : {false, true}) {
        MemorySettingsStore own;
        SaveEnabled(enabled, own);
        EXPECT_EQ(own.writes, Names{L"Enabled"});
        EXPECT_EQ(LoadCarriedValues(own, context).Enabled, enabled);
    }
}

} // namespace
} // namespace uplift

#include "settings/registry_path.h"
#include "settings/settings.h"

#include "test_doubles.h"

#include <gtest/gtest.h>

namespace uplift {
namespace {

class SettingsTest : public testing::Test {
protected:
    SettingsRecord Load(SettingsRecord record = {}, SettingsStore* from = nullptr) {
        LoadSettings(record, from ? *from : store, context);
        return record;
    }
    SettingsRecord Fresh() { return Load({}, &empty); } // what an empty store loads
    // Every field away from what an empty store loads.
    static SettingsRecord Edited() {
        // clang-format off
        return {L"Calm,\t\"quoted\"", true, 22, false, 20, WhenToDisplay::Date, TimeSerial(0, 0, 1),
                FromCivil({2024, 2, 29, 12, 0, 0, 0}), ScreenBackground::BackgroundFull, 0x123456, kWhite,
                {L"Times New Roman", 10.5f, true, true, true, true}, false};
        // clang-format on
    }

    ManualClock clock{{2026, 12, 6, 13, 5, 9, 400}};
    EnUsRegionalFormats formats;
    SettingsContext context{formats, clock};
    MemorySettingsStore store, empty;
};

// The texts stored registries hold, which the program must go on reading; the font size in the region's form.
TEST_F(SettingsTest, SaveWritesEveryValueInItsStoredFormAndLoadsItBack) {
    const EnUsRegionalFormats comma(L',');
    SaveSettings(Edited(), {-5, DateSerial(2026, 12, 5), false}, store, comma);
    // clang-format off
    EXPECT_EQ(store.values, (decltype(store.values){
        {L"txtCaption", L"Calm,\t\"quoted\""}, {L"Time", L"22"}, {L"Pause", L"20"}, {L"optList", L"True"},
        {L"optTimeLength", L"False"}, {L"LastMessageKey", L"-5"}, {L"LastMessageDate", L"12/5/2026"},
        {L"FontBold", L"True"}, {L"BackgroundColor", L"1193046"}, {L"TextColor", L"16777215"}, {L"FontItalic", L"True"},
        {L"FontSize", L"10,5"}, {L"FontName", L"Times New Roman"}, {L"FontStrikethru", L"True"},
        {L"FontTransparent", L"False"}, {L"FontUnderline", L"True"}, {L"WhenToDisplay", L"2"},
        {L"ScreenBackground", L"2"}, {L"Everyday", L"12:00:01 AM"}, {L"Date", L"2/29/2024 12:00:00 PM"}}));
    // clang-format on
    SettingsRecord loaded;
    LoadSettings(loaded, store, {comma, clock});
    EXPECT_EQ(loaded, Edited());
}

TEST_F(SettingsTest, PickersShowTheMomentOfLoadingOrTheWholeSecondsTheyShowed) {
    const SettingsRecord r = Load();
    clock.AdvanceMilliseconds(3'600'000); // Cancel an hour later: the pickers follow the clock
    for (const auto& [loaded, hour] : {std::pair{r, 13}, {Load(r), 14}})
        EXPECT_EQ(std::pair(loaded.Date.value(), loaded.Everyday.value()),
                  std::pair(FromCivil({2026, 12, 6, hour, 5, 9, 0}), TimeSerial(hour, 5, 9)));

    store.values = {{L"Date", L"12/6/2026"}, {L"Everyday", L"1/2/2030 7:30:15 PM"}};
    const SettingsRecord stored = Load();
    EXPECT_EQ(DateValueText(stored, formats), L"12/6/2026 12:00:00 AM"); // a date alone: midnight, written
    EXPECT_EQ(stored.Everyday, TimeSerial(19, 30, 15));                  // only the time of day counts
    EXPECT_EQ(DateValueText({}, formats) + EverydayValueText({}, formats), L"");
}

TEST_F(SettingsTest, NumbersLoadOnlyWhereTheyMeanSomething) {
    // Text; Time (-1: the fresh one); Pause (the 3 shown before stays when unusable); WhenToDisplay and
    // ScreenBackground (above 1 is the third choice, not a number the first).
    static constexpr std::tuple<const wchar_t*, int, int, int> kCases[] = {
        {L"0", 0, 0, 0},   {L"1", 1, 1, 1},   {L"20", 20, 20, 2}, {L"21", 21, 3, 2},
        {L"22", 22, 3, 2}, {L"23", -1, 3, 2}, {L"-1", -1, 3, 2},  {L"1e3", -1, 3, 0},
    };
    for (const auto& [text, time, pause, mode] : kCases) {
        store.values = {
            {L"Time", text}, {L"Pause", text}, {L"WhenToDisplay", text}, {L"ScreenBackground", text}};
        SettingsRecord start = Edited(); // the stored values, not these, decide
        start.Pause = 3;
        const SettingsRecord r = Load(start);
        EXPECT_EQ(std::tuple(r.Time, r.Pause, static_cast<int>(r.When), static_cast<int>(r.Background)),
                  std::tuple(time < 0 ? Fresh().Time : time, pause, mode, mode))
            << testing::PrintToString(std::wstring(text));
    }
}

// A hand-edited store: every value holds a text that is no number, no Boolean and no date.
TEST_F(SettingsTest, UnconvertibleTextsLoadWhatAnEmptyStoreLoadsAndTextsLoadAsStoredWithinTheFontsLimit) {
    SaveSettings(Edited(), {}, store, formats);
    for (auto& [name, text] : store.values)
        text = L"12/6/2026 25:00";
    SettingsRecord start = Edited(), expected = Fresh();
    start.Pause = expected.Pause = 4;
    expected.txtCaption = expected.Font.Name = L"12/6/2026 25:00";
    EXPECT_EQ(Load(start), expected);
    for (const std::wstring& stored :
         {std::wstring(), std::wstring(L"  Segoe UI  "), std::wstring(31, L'F'), std::wstring(32, L'F')}) {
        store.values = {{L"txtCaption", stored}, {L"FontName", stored}};
        const SettingsRecord r = Load();
        const std::wstring fontName = stored.empty() || stored.size() > 31 ? Fresh().Font.Name : stored;
        EXPECT_EQ(std::tie(r.txtCaption, r.Font.Name), std::tie(stored, fontName))
            << stored.size() << " characters";
    }
}

TEST_F(SettingsTest, DefaultThenOkKeepsPickersAndCarriedValuesDefaultThenCancelRestores) {
    EXPECT_EQ(LoadCarriedValues(empty, context), (CarriedValues{0, DateSerial(2026, 12, 5), true}));
    const CarriedValues extremes{-2147483647 - 1, FromCivil({9999, 12, 31, 23, 59, 59}), false};
    SettingsRecord record = Edited();
    SaveSettings(record, extremes, store, formats);
    SaveEnabled(false, store);
    const CarriedValues carried = LoadCarriedValues(store, context);
    ResetToDefaults(record, L"Another default");
    EXPECT_EQ(record.txtCaption, L"Another default");
    EXPECT_EQ(Load(record), Edited()); // Cancel

    ResetToDefaults(record);
    SaveSettings(record, carried, store, formats); // OK
    SettingsRecord expected = Fresh();
    std::tie(expected.Date, expected.Everyday) = std::pair(Edited().Date, Edited().Everyday);
    EXPECT_EQ(std::pair(record, Load()), std::pair(expected, expected)) << "kept, loaded";
    EXPECT_EQ(std::pair(carried, LoadCarriedValues(store, context)), std::pair(extremes, extremes));
}

TEST(RegistryNames, NamesAreTrimmedOfSpacesOrFallBackAndMakeTheKeyPath) {
    for (const auto& [given, company, app] :
         {std::tuple{L"    ", L"Shared Program Settings", L"Uplift Beacon"},
          {L"  Acme  ", L"Acme", L"Acme"},
          {L"\tAcme", L"\tAcme", L"\tAcme"}}) {
        RegistryNames names;
        names.SetCompanyName(given);
        names.SetAppName(given);
        EXPECT_EQ(names.BuildKeyPath(L"S"), std::wstring(L"Software\\") + company + L"\\" + app + L"\\S")
            << testing::PrintToString(std::wstring(given));
        EXPECT_EQ(names.BuildKeyPath(L""), std::wstring(L"Software\\") + company + L"\\" + app);
    }
    EXPECT_EQ(RegistryValueName(L"*"), L""); // a key's default value
    EXPECT_EQ(RegistryValueName(L"Path"), L"Path");
}

} // namespace
} // namespace uplift

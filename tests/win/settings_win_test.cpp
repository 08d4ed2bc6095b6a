#include "settings/registry.h"
#include "settings/windows_regional_formats.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace uplift::win {
namespace {

// The program folder under Settings, the values' type and a read before the key exists: end-to-end tests.
TEST(Registry, StoreWritesAndReadsOddDataSafelyOrAsAbsentAndWriteRegSettingNamesTheDefaultValueStar) {
    const std::wstring path = L"Software\\UpliftBeaconTests\\" + std::to_wstring(::GetCurrentProcessId());
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()); // a key of this test alone, left by an earlier process
    RegistrySettingsStore store(path);
    for (const auto& [name, text] :
         {std::pair{L"Time", L"7"}, {L"txtCaption", L"Ünïcödé ✓"}, {L"Empty", L""}, {L"Time", L"12"}}) {
        ASSERT_TRUE(store.Write(name, text)) << name;
        EXPECT_EQ(store.Read(name), text);
    }
    const DWORD number = 7;
    const wchar_t multi[] = L"a\0b\0", unterminated[] = {L'4', L'8'}, embedded[] = L"ab\0cd";
    const char odd[] = {'1', '\0', '2'}; // a character and a half
    const std::wstring huge(100'000, L'x');
    const std::tuple<const wchar_t*, DWORD, const void*, std::size_t, std::optional<std::wstring>> reads[]{
        {L"Missing", REG_NONE, nullptr, 0, {}},
        {L"Dword", REG_DWORD, &number, sizeof number, {}},
        {L"Multi", REG_MULTI_SZ, multi, sizeof multi, {}},
        {L"Unterminated", REG_SZ, unterminated, sizeof unterminated, L"48"},
        {L"Odd", REG_SZ, odd, sizeof odd, L"1"},
        {L"Embedded", REG_SZ, embedded, sizeof embedded, L"ab"},
        {L"Huge", REG_SZ, huge.c_str(), (huge.size() + 1) * sizeof(wchar_t), huge}};
    for (const auto& [name, type, data, bytes, value] : reads) {
        if (data)
            ::RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), name, type, data, static_cast<DWORD>(bytes));
        EXPECT_EQ(store.Read(name), value) << testing::PrintToString(std::wstring(name));
    }

    // WriteRegSetting: "*" names the default value, and a failure is reported.
    RegistryNames names; // inside the test's key
    names.SetCompanyName(path.substr(std::wstring(L"Software\\").size()) + L"\\Fernbrook");
    names.SetAppName(L"UpliftBeacon");
    ASSERT_TRUE(WriteRegSetting(names, L"", L"*", L"default"));
    EXPECT_EQ(ReadUserString(path + L"\\Fernbrook\\UpliftBeacon", L""), L"default");
    EXPECT_FALSE(WriteRegSetting(names, std::wstring(400, L'k'), L"Path", L"x")) << "a key name too long";
    ::RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
}

// The en-US texts the program reads and writes are the end-to-end tests' (the harness pins that locale).
TEST(WindowsRegionalFormats, RefusesWhatIsNoDateAndFollowsAnotherRegionOrTheUsersOwnFormats) {
    const WindowsRegionalFormats us(0x0409), german(0x0407);
    for (const std::wstring text :
         {std::wstring(L"abc"), std::wstring(100'000, L'1'), std::wstring(L"12/6/2026\0junk", 14)})
        EXPECT_EQ(us.TextToDateTime(text), std::nullopt) << text.substr(0, 20);
    const DateTime noon = FromCivil({2026, 12, 6, 12, 0, 0});
    // Windows writes the day with two digits, Wine with one; both are day.month.year, 24 hours.
    const std::wstring text = german.DateTimeToText(noon);
    EXPECT_NE(text.find(L"6.12.2026 12:00:00"), std::wstring::npos) << text;
    EXPECT_EQ(german.TextToDateTime(text), noon);
    EXPECT_EQ(std::pair(us.DecimalSeparator(), german.DecimalSeparator()), std::pair(L'.', L','));
    wchar_t saved[80] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved, 80);
    ASSERT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, L"M/d/yy"));
    const std::wstring user = WindowsRegionalFormats().DateTimeToText(DateSerial(2026, 12, 6));
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved);
    EXPECT_EQ(user, L"12/6/26");
}

} // namespace
} // namespace uplift::win

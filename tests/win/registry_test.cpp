#include "settings/registry.h"
#include "test_registry_key.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

namespace uplift::win {
namespace {

using testing::TestRegistryKey;

TEST(RegistrySettingsStore, WritesStringValuesAndReadsThemBack) {
    TestRegistryKey key;
    RegistrySettingsStore store(key.Path());
    EXPECT_EQ(store.Read(L"Time"), std::nullopt) << "absent key";
    ASSERT_TRUE(store.Write(L"Time", L"7"));
    ASSERT_TRUE(store.Write(L"txtCaption", L"Ünïcödé ✓ text"));
    ASSERT_TRUE(store.Write(L"Empty", L""));
    ASSERT_TRUE(store.Write(L"Time", L"12"));
    EXPECT_EQ(store.Read(L"Time"), L"12") << "a second write replaces the value";
    EXPECT_EQ(store.Read(L"txtCaption"), L"Ünïcödé ✓ text");
    EXPECT_EQ(store.Read(L"Empty"), L"");
    EXPECT_EQ(store.Read(L"Missing"), std::nullopt);
    EXPECT_EQ(key.TypeOf(L"Time"), static_cast<DWORD>(REG_SZ));
}

TEST(RegistrySettingsStore, OddDataReadsSafelyAndOtherTypesAsAbsent) {
    TestRegistryKey key;
    const DWORD number = 7;
    key.SetRaw(L"Dword", REG_DWORD, &number, sizeof number);
    const wchar_t multi[] = L"a\0b\0";
    key.SetRaw(L"Multi", REG_MULTI_SZ, multi, sizeof multi);
    const wchar_t unterminated[] = {L'4', L'8'};
    key.SetRaw(L"Unterminated", REG_SZ, unterminated, sizeof unterminated);
    const char odd[] = {'1', 0, '2'};
    key.SetRaw(L"Odd", REG_SZ, odd, 3);
    const wchar_t embedded[] = L"ab\0cd";
    key.SetRaw(L"Embedded", REG_SZ, embedded, sizeof embedded);
    const std::wstring huge(100000, L'x');
    key.SetRaw(L"Huge", REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));

    RegistrySettingsStore store(key.Path());
    EXPECT_EQ(store.Read(L"Dword"), std::nullopt);
    EXPECT_EQ(store.Read(L"Multi"), std::nullopt);
    EXPECT_EQ(store.Read(L"Unterminated"), L"48");
    EXPECT_EQ(store.Read(L"Odd"), L"1");
    EXPECT_EQ(store.Read(L"Embedded"), L"ab");
    EXPECT_EQ(store.Read(L"Huge"), huge) << "read whole, not truncated";
}

TEST(WriteRegSetting, CreatesTheWholePathWritesAStringAndReportsFailure) {
    TestRegistryKey key;
    RegistryNames names;
    // The company part carries the test key so that nothing outside it is touched.
    names.SetCompanyName(key.Path().substr(std::wstring(L"Software\\").size()) + L"\\Fernbrook");
    names.SetAppName(L"UpliftBeacon");
    ASSERT_TRUE(WriteRegSetting(names, L"Settings", L"Path", L"C:\\Program Files\\Uplift Beacon"));
    ASSERT_TRUE(WriteRegSetting(names, L"Settings", L"Path", L"D:\\"));
    EXPECT_EQ(ReadUserString(key.Path() + L"\\Fernbrook\\UpliftBeacon\\Settings", L"Path"), L"D:\\");
    ASSERT_TRUE(WriteRegSetting(names, L"", L"*", L"default"));
    EXPECT_EQ(ReadUserString(key.Path() + L"\\Fernbrook\\UpliftBeacon", L""), L"default")
        << "an empty section is the application's key; \"*\" its default value";
    // A key name longer than the registry allows cannot be created.
    EXPECT_FALSE(WriteRegSetting(names, std::wstring(400, L'k'), L"Path", L"x"));
}

} // namespace
} // namespace uplift::win

#include "settings/registry.h"
#include "test_registry_key.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

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
    EXPECT_EQ(store.Read(L"Time"), L"7");
    EXPECT_EQ(store.Read(L"txtCaption"), L"Ünïcödé ✓ text");
    EXPECT_EQ(store.Read(L"Empty"), L"");
    EXPECT_EQ(store.Read(L"Missing"), std::nullopt);
    EXPECT_EQ(key.TypeOf(L"Time"), static_cast<DWORD>(REG_SZ));
    ASSERT_TRUE(store.Write(L"Time", L"12"));
    EXPECT_EQ(store.Read(L"Time"), L"12") << "a second write replaces the value";
}

TEST(RegistrySettingsStore, ValuesOfOtherTypesReadAsAbsent) {
    TestRegistryKey key;
    const DWORD number = 7;
    const std::uint8_t bytes[] = {0x41, 0x00, 0x42};
    key.SetRaw(L"Dword", REG_DWORD, &number, sizeof number);
    key.SetRaw(L"Binary", REG_BINARY, bytes, sizeof bytes);
    const wchar_t multi[] = L"a\0b\0";
    key.SetRaw(L"Multi", REG_MULTI_SZ, multi, sizeof multi);
    RegistrySettingsStore store(key.Path());
    EXPECT_EQ(store.Read(L"Dword"), std::nullopt);
    EXPECT_EQ(store.Read(L"Binary"), std::nullopt);
    EXPECT_EQ(store.Read(L"Multi"), std::nullopt);
}

TEST(RegistrySettingsStore, OddStringDataReadsSafely) {
    TestRegistryKey key;
    // No terminating NUL, an odd byte count, an embedded NUL, and a huge value.
    const wchar_t unterminated[] = {L'4', L'8'};
    key.SetRaw(L"Unterminated", REG_SZ, unterminated, sizeof unterminated);
    const char odd[] = {'1', 0, '2'};
    key.SetRaw(L"Odd", REG_SZ, odd, 3);
    const wchar_t embedded[] = L"ab\0cd";
    key.SetRaw(L"Embedded", REG_SZ, embedded, sizeof embedded);
    const std::wstring huge(100000, L'x');
    key.SetRaw(L"Huge", REG_SZ, huge.c_str(), static_cast<DWORD>((huge.size() + 1) * sizeof(wchar_t)));

    RegistrySettingsStore store(key.Path());
    EXPECT_EQ(store.Read(L"Unterminated"), L"48");
    EXPECT_EQ(store.Read(L"Odd"), L"1");
    EXPECT_EQ(store.Read(L"Embedded"), L"ab");
    const auto read = store.Read(L"Huge");
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(read->size(), huge.size()) << "read whole, not truncated";
}

TEST(WriteRegSetting, CreatesTheWholePathAndWritesAString) {
    TestRegistryKey key;
    RegistryNames names;
    // The company part carries the test key so that nothing outside it is touched.
    names.SetCompanyName(key.Path().substr(std::wstring(L"Software\\").size()) + L"\\Fernbrook");
    names.SetAppName(L"UpliftBeacon");
    ASSERT_TRUE(WriteRegSetting(names, L"Settings", L"Path", L"C:\\Program Files\\Uplift Beacon"));
    EXPECT_EQ(ReadUserString(key.Path() + L"\\Fernbrook\\UpliftBeacon\\Settings", L"Path"),
              L"C:\\Program Files\\Uplift Beacon");

    ASSERT_TRUE(WriteRegSetting(names, L"Settings", L"Path", L"D:\\"));
    EXPECT_EQ(ReadUserString(key.Path() + L"\\Fernbrook\\UpliftBeacon\\Settings", L"Path"), L"D:\\");

    ASSERT_TRUE(WriteRegSetting(names, L"", L"*", L"default"));
    EXPECT_EQ(ReadUserString(key.Path() + L"\\Fernbrook\\UpliftBeacon", L""), L"default")
        << "an empty section is the application's key; \"*\" its default value";
}

TEST(WriteRegSetting, ReportsFailure) {
    RegistryNames names;
    names.SetCompanyName(L"UpliftBeaconTests");
    names.SetAppName(L"Bad");
    // A key name longer than the registry allows cannot be created.
    EXPECT_FALSE(WriteRegSetting(names, std::wstring(400, L'k'), L"Path", L"x"));
}

} // namespace
} // namespace uplift::win

#include "settings/stored_date.h"
#include "settings/windows_regional_formats.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

TEST(StoredDate, TwoDigitYearsOutsideTheParsersCenturyAreStoredInTheFixedForm) {
    wchar_t saved[80] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved, 80);
    ASSERT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, L"M/d/yy"));
    const DateTime later = FromCivil({2050, 1, 2, 3, 4, 5});
    const std::wstring stored = text_forms::FormatDate(DateSerial(2026, 12, 6), WindowsRegionalFormats()) +
                                L"|" + text_forms::FormatDate(later, WindowsRegionalFormats());
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved);
    EXPECT_EQ(stored, L"12/6/26|2050-01-02 03:04:05");
    // The platform's parser, with which older versions read the store, reads the fixed form alike everywhere.
    for (const LCID region : {0x0409, 0x0407, 0x0809, 0x041E, 0x0411})
        EXPECT_EQ(WindowsRegionalFormats(region).TextToDateTime(L"2050-01-02 03:04:05"), later) << region;
}

} // namespace
} // namespace uplift::win

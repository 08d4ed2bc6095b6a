// Stored dates in a region whose short date writes the year with two digits.

#include "settings/stored_date.h"
#include "settings/windows_regional_formats.h"

#include <gtest/gtest.h>

namespace uplift::win {
namespace {

using text_forms::DateTextForm;

TEST(StoredDate, TwoDigitYearsOutsideTheParsersCenturyAreStoredInTheFixedForm) {
    wchar_t saved[80] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved, 80);
    ASSERT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, L"M/d/yy"));
    const DateTime soon = FromCivil({2026, 12, 6, 13, 5, 9}), later = FromCivil({2050, 1, 2, 3, 4, 5});
    const WindowsRegionalFormats user;
    const std::wstring soonText = text_forms::FormatDate(soon, user, DateTextForm::DateAndTime);
    const std::wstring laterText = text_forms::FormatDate(later, user, DateTextForm::DateAndTime);
    const std::wstring laterRegional = DateAndTimeText(user, later);
    ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, saved);

    EXPECT_EQ(soonText, L"12/6/26 1:05:09 PM");
    EXPECT_EQ(laterRegional, L"1/2/50 3:04:05 AM");
    EXPECT_EQ(laterText, L"2050-01-02 03:04:05");
    // The platform's own parser, which older versions read with, reads the fixed form alike everywhere.
    for (const LCID region : {0x0409, 0x0407, 0x0809, 0x041E, 0x0411})
        EXPECT_EQ(WindowsRegionalFormats(region).TextToDateTime(laterText), later) << std::hex << region;
}

} // namespace
} // namespace uplift::win

#include "common/regional_formats.h"

#include "common/blanks.h"

#include <cstdint>

namespace uplift {
namespace {

constexpr std::int64_t kSecondsPerDay = 86'400;

// Texts carry whole seconds: the value split into its calendar day and second of that day.
struct DaySecond {
    DateTime Day;
    int Second;
};

DaySecond SplitWholeSeconds(DateTime value) {
    const DateTime whole = FromWholeSeconds(ToWholeSeconds(value));
    const CivilDateTime c = ToCivil(whole);
    return {DatePart(whole), c.Hour * 3600 + c.Minute * 60 + c.Second};
}

std::wstring TwoDigits(int value) {
    return {static_cast<wchar_t>(L'0' + value / 10), static_cast<wchar_t>(L'0' + value % 10)};
}

// A small cursor over the text; every reader consumes only on success.
class Scanner {
public:
    explicit Scanner(std::wstring_view text) : text_(text) {}
    bool AtEnd() const { return pos_ == text_.size(); }

    // 1..maxDigits decimal digits.
    std::optional<int> Number(std::size_t maxDigits) {
        std::size_t end = pos_;
        int value = 0;
        while (end < text_.size() && text_[end] >= L'0' && text_[end] <= L'9') {
            if (end - pos_ == maxDigits) return std::nullopt;
            value = value * 10 + (text_[end] - L'0');
            ++end;
        }
        if (end == pos_) return std::nullopt;
        pos_ = end;
        return value;
    }
    bool Char(wchar_t c) {
        if (AtEnd() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }
    bool Blanks() {
        const std::size_t start = pos_;
        while (!AtEnd() && IsBlank(text_[pos_]))
            ++pos_;
        return pos_ != start;
    }
    bool WordNoCase(std::wstring_view word) {
        if (text_.size() - pos_ < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i) {
            wchar_t c = text_[pos_ + i];
            if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
            if (c != word[i]) return false;
        }
        pos_ += word.size();
        return true;
    }
    // Looks ahead for a date ("M/d/...") without consuming anything.
    bool DateAhead() const {
        std::size_t i = pos_;
        while (i < text_.size() && text_[i] >= L'0' && text_[i] <= L'9')
            ++i;
        return i > pos_ && i < text_.size() && text_[i] == L'/';
    }

private:
    std::wstring_view text_;
    std::size_t pos_ = 0;
};

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// M/d/yyyy
bool ReadDate(Scanner& in, CivilDateTime& out) {
    const auto month = in.Number(2);
    if (!month || !in.Char(L'/')) return false;
    const auto day = in.Number(2);
    if (!day || !in.Char(L'/')) return false;
    const auto year = in.Number(4);
    if (!year || *year < 100 || *month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(*year, *month))
        return false;
    out.Year = *year;
    out.Month = *month;
    out.Day = *day;
    return true;
}

// h:mm[:ss] with an optional AM/PM; without it the hour runs 0..23.
bool ReadTime(Scanner& in, CivilDateTime& out) {
    auto hour = in.Number(2);
    if (!hour || !in.Char(L':')) return false;
    const auto minute = in.Number(2);
    if (!minute || *minute > 59) return false;
    int second = 0;
    if (in.Char(L':')) {
        const auto s = in.Number(2);
        if (!s || *s > 59) return false;
        second = *s;
    }
    in.Blanks();
    const bool am = in.WordNoCase(L"AM");
    const bool pm = !am && in.WordNoCase(L"PM");
    if (am || pm) {
        if (*hour < 1 || *hour > 12) return false;
        *hour = *hour % 12 + (pm ? 12 : 0);
    } else if (*hour > 23) {
        return false;
    }
    out.Hour = *hour;
    out.Minute = *minute;
    out.Second = second;
    return true;
}

} // namespace

std::wstring EnUsRegionalFormats::DateTimeToText(DateTime value) const {
    if (!IsValidDate(value)) return {};
    const DaySecond split = SplitWholeSeconds(value);
    if (split.Day == 0) return LongTimeText(value);
    if (split.Second == 0) return ShortDateText(value);
    return DateAndTimeText(*this, value);
}

std::wstring EnUsRegionalFormats::ShortDateText(DateTime value) const {
    if (!IsValidDate(value)) return {};
    const CivilDateTime c = ToCivil(SplitWholeSeconds(value).Day);
    std::wstring year = std::to_wstring(c.Year);
    year.insert(0, 4 - year.size(), L'0');
    return std::to_wstring(c.Month) + L'/' + std::to_wstring(c.Day) + L'/' + year;
}

std::wstring EnUsRegionalFormats::LongTimeText(DateTime value) const {
    if (!IsValidDate(value)) return {};
    const int second = SplitWholeSeconds(value).Second;
    const int hour = second / 3600;
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return std::to_wstring(hour12) + L':' + TwoDigits(second / 60 % 60) + L':' + TwoDigits(second % 60) +
           (hour < 12 ? L" AM" : L" PM");
}

std::optional<DateTime> EnUsRegionalFormats::TextToDateTime(std::wstring_view text) const {
    Scanner in(TrimBlanks(text));
    CivilDateTime value; // day zero, midnight
    if (in.DateAhead()) {
        if (!ReadDate(in, value)) return std::nullopt;
        if (in.AtEnd()) return FromCivil(value);
        if (!in.Blanks()) return std::nullopt;
    }
    if (!ReadTime(in, value) || !in.AtEnd()) return std::nullopt;
    return FromCivil(value);
}

std::wstring DateAndTimeText(const RegionalFormats& formats, DateTime value) {
    if (!IsValidDate(value)) return {};
    return formats.ShortDateText(value) + L" " + formats.LongTimeText(value);
}

} // namespace uplift

#pragma once
// Stand-ins for what the program takes from the platform: a clock that stands still until moved, the
// settings section as a map, the Latin-1 code page and the en-US regional formats.

#include "affirmations/list_file.h"
#include "common/regional_formats.h"
#include "schedule/clock.h"
#include "settings/settings_store.h"

#include <algorithm>
#include <cwchar>
#include <map>

namespace uplift {

class ManualClock final : public Clock {
public:
    explicit ManualClock(CivilDateTime start) : now_(start) {}
    void AdvanceMilliseconds(long long ms) { now_ = ToCivil(FromCivil(now_) + ms / 86'400'000.0); }
    const CivilDateTime& Local() const { return now_; }
    float SecondsSinceMidnight() const override {
        return static_cast<float>(SecondsOfDay(FromCivil(now_), true) + now_.Millisecond / 1000.0);
    }
    DateTime Now() const override {
        return FromCivil({now_.Year, now_.Month, now_.Day, now_.Hour, now_.Minute, now_.Second});
    }
    std::int64_t UtcSeconds() const override { return ToWholeSeconds(Now()); } // local time is UTC

private:
    CivilDateTime now_;
};

class MemorySettingsStore final : public SettingsStore {
public:
    std::optional<std::wstring> Read(std::wstring_view name) override {
        return values.contains(name) ? std::optional(values.find(name)->second) : std::nullopt;
    }
    bool Write(std::wstring_view name, std::wstring_view value) override {
        if (failWrites) return false;
        values.insert_or_assign(std::wstring(name), std::wstring(value));
        return true;
    }
    std::map<std::wstring, std::wstring, std::less<>> values;
    bool failWrites = false;
};

class Latin1CodePage final : public CodePage {
public:
    std::wstring Decode(std::string_view bytes) const override {
        const auto* first = reinterpret_cast<const unsigned char*>(bytes.data());
        return std::wstring(first, first + bytes.size());
    }
    std::optional<std::string> Encode(std::wstring_view text) const override {
        if (std::ranges::any_of(text, [](wchar_t c) { return std::uint32_t(c) > 0xFF; })) return std::nullopt;
        return std::string(text.begin(), text.end());
    }
};

// "12/6/2026 1:05:09 PM" as Windows writes it in en-US; reads only that, two-digit years as 1930..2029.
class EnUsRegionalFormats : public RegionalFormats {
public:
    explicit EnUsRegionalFormats(wchar_t decimalSeparator = L'.') : separator(decimalSeparator) {}
    std::wstring DateTimeToText(DateTime value) const override {
        if (DatePart(value) == 0) return LongTimeText(value);
        return TimePart(value) == 0 ? ShortDateText(value) : DateAndTimeText(*this, value);
    }
    std::wstring ShortDateText(DateTime value) const override {
        const CivilDateTime c = ToCivil(value);
        return std::to_wstring(c.Month) + L'/' + std::to_wstring(c.Day) + L'/' + std::to_wstring(c.Year);
    }
    std::wstring LongTimeText(DateTime value) const override {
        const CivilDateTime c = ToCivil(value);
        wchar_t text[32];
        std::swprintf(text, 32, L"%d:%02d:%02d %ls", (c.Hour + 11) % 12 + 1, c.Minute, c.Second,
                      c.Hour < 12 ? L"AM" : L"PM");
        return text;
    }
    std::wstring ShortTimeText(DateTime value) const override {
        std::wstring text = LongTimeText(value);
        return text.erase(text.rfind(L':'), 3);
    }
    std::optional<DateTime> TextToDateTime(std::wstring_view text) const override {
        const std::wstring copy(text.substr(0, 64));
        CivilDateTime c;
        wchar_t half[3] = L"";
        if (std::swscanf(copy.c_str(), L"%d/%d/%d %d:%d:%d %2ls", &c.Month, &c.Day, &c.Year, &c.Hour,
                         &c.Minute, &c.Second, half) < 3 &&
            std::swscanf(copy.c_str(), L"%d:%d:%d %2ls", &c.Hour, &c.Minute, &c.Second, half) != 4)
            return std::nullopt;
        c.Hour = c.Hour % 12 + (half[0] == L'P' ? 12 : 0);
        if (c.Year < 100) c.Year += c.Year < 30 ? 2000 : 1900;
        const DateTime value = FromCivil(c);
        const bool written = text == DateTimeToText(value) || text == DateAndTimeText(*this, value);
        return IsValidDate(value) && written ? std::optional(value) : std::nullopt;
    }
    wchar_t DecimalSeparator() const override { return separator; }
    const wchar_t separator;
};

} // namespace uplift

#pragma once
// The one live copy of every option. The options dialog edits these fields directly, the
// scheduler and the display read them when they need a value; the store holds the saved copy.

#include "common/date_time.h"

#include <cstdint>
#include <optional>
#include <string>

namespace uplift {

enum class WhenToDisplay { Pause = 0, Everyday = 1, Date = 2 }; // optPause, optEveryday, optDate
enum class ScreenBackground { Transparent = 0, Background = 1, BackgroundFull = 2 }; // optTransparent ...

using Colour = std::uint32_t; // 0x00BBGGRR

struct FontDescription {
    std::wstring Name = L"Arial";
    float Size = 48.0f;
    bool Bold = false;
    bool Italic = false;
    bool Strikethru = false;
    bool Underline = false;
    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

inline constexpr int kDefaultTimeIndex = 7;   // "50 millisecond"
inline constexpr int kDefaultPauseIndex = 10; // "1 minuet"
inline constexpr Colour kWhite = 16777215;
inline constexpr Colour kBlack = 0;

struct SettingsRecord {
    std::wstring txtCaption;
    bool optList = false;           // optSingle is its opposite
    int Time = kDefaultTimeIndex;   // selected index of cboTime
    bool optTimeLength = true;      // optESC is its opposite
    int Pause = kDefaultPauseIndex; // selected index of cboPause
    WhenToDisplay When = WhenToDisplay::Pause;
    std::optional<DateTime> Everyday; // TimePicker: a time of day (day zero); empty when the picker has none
    std::optional<DateTime> Date;     // DatePicker: a date and time in whole seconds
    ScreenBackground Background = ScreenBackground::Transparent;
    Colour BackgroundColor = kWhite;
    Colour TextColor = kBlack;
    FontDescription Font;
    bool FontTransparent = true;

    bool optPause() const { return When == WhenToDisplay::Pause; }
    bool optEveryday() const { return When == WhenToDisplay::Everyday; }
    bool optDate() const { return When == WhenToDisplay::Date; }
    bool optSingle() const { return !optList; }
    bool optESC() const { return !optTimeLength; }

    friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

// Three values of the main form that travel with the record but are not options.
struct CarriedValues {
    std::int32_t LastMessageKey = 0;
    DateTime LastMessageDate = 0;
    bool Enabled = true;
    friend bool operator==(const CarriedValues&, const CarriedValues&) = default;
};

} // namespace uplift

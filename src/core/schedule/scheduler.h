#pragma once
// The one-second scheduler: the count-down in the three modes, the tool tip, and when to show.

#include "common/regional_formats.h"
#include "schedule/clock.h"
#include "settings/settings_record.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace uplift {

// What the scheduler needs of the main form.
class SchedulerHost {
public:
    virtual ~SchedulerHost() = default;
    virtual bool OptionsVisible() const = 0;
    virtual bool Closing() const = 0;
    virtual bool Enabled() const = 0;
    virtual bool PopupMenuVisible() const = 0;
    virtual void HideOptions() = 0;
    virtual void StartTimer() = 0;
    virtual void StopTimer() = 0;
    virtual void SetToolTipText(std::wstring text) = 0;
    virtual void RefreshTray() = 0;
    // Returns once the affirmation has left the screen.
    virtual void ShowAffirmation() = 0;
};

struct CountDownFields {
    int Days, Hours, Minutes, Seconds;
    friend bool operator==(const CountDownFields&, const CountDownFields&) = default;
};

// Truncating division, remainders with the sign of the dividend.
CountDownFields SplitRemaining(std::int32_t remaining);
// "Uplift Beacon, Count down: [d day[s], ]hh:mm:ss"; negative fields are written "00".
std::wstring CountDownTip(std::int32_t remaining);
// "Uplift Beacon,  destination was <date text>" (two blanks, as the tip has always read).
std::wstring DestinationTip(std::wstring_view dateText);
std::int32_t RoundHalfEven(double value);

class Scheduler {
public:
    Scheduler(const SettingsRecord& record, const Clock& clock, const RegionalFormats& formats,
              SchedulerHost& host)
        : record_(record), clock_(clock), formats_(formats), host_(host) {}

    void StartSchedule();
    void CheckPassed();
    void tmrMessage_Timer();

private:
    // Sets the icon's tip and refreshes the icon unless its menu is up.
    void SetTip(std::wstring tip);

    const SettingsRecord& record_;
    const Clock& clock_;
    const RegionalFormats& formats_;
    SchedulerHost& host_;
    float PauseSeconds = 0;
    float PauseStart = 0;
    bool Passed = false;
};

} // namespace uplift

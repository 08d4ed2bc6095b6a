#pragma once
// The one-second scheduler: the count-down in the three modes, the tool tip, and when to show.

#include "common/regional_formats.h"
#include "schedule/clock.h"
#include "schedule/hold_back.h"
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
    // Whether the user's pause runs; asked at every tick.
    virtual bool Paused() const { return false; }
    // The tip written instead of the count-down while the pause runs.
    virtual std::wstring PausedTip() const { return {}; }
    // What holds a showing back now; asked only when a showing is due or pending.
    virtual Holds HeldBack() { return {}; }
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
    // The repeated showing counts its pause afresh from now (the clock moved, the machine woke).
    void RestartPauseCount();
    // A showing fell due while something held it back; it comes at the first tick after that ends.
    bool HasPending() const { return Pending; }

private:
    // Shows the pending showing when nothing holds it back any more; true when it was shown.
    bool ShowPending(WhenToDisplay mode);
    void Show();
    // Sets the icon's tip and refreshes the icon unless its menu is up.
    void SetTip(std::wstring tip);

    const SettingsRecord& record_;
    const Clock& clock_;
    const RegionalFormats& formats_;
    SchedulerHost& host_;
    float PauseSeconds = 0;
    float PauseStart = 0;
    bool Passed = false;
    bool Pending = false;
    bool WasPaused = false;
};

} // namespace uplift

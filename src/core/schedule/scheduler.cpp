#include "schedule/scheduler.h"

#include "schedule/durations.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace uplift {
namespace {

constexpr std::int32_t kSecondsPerDay = 86'400;
constexpr int kSecondsPerMinute = 60;
constexpr int kFallbackPauseSeconds = 60; // "1 minuet", the default entry
constexpr std::wstring_view kTipStart = L"Uplift Beacon, ";

// A field of the count-down as "0#" writes it; negative fields (a date just passed unseen) read 00.
void AppendTwoDigits(std::wstring& text, int value) {
    value = std::max(value, 0);
    if (value < 10) text += L'0';
    text += std::to_wstring(value);
}

std::int32_t ClampToInt32(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

int EverydaySeconds(const std::optional<DateTime>& everyday) {
    return everyday ? SecondsOfDay(*everyday, false) : 0;
}

// A date the picker cannot hold counts as no date at all.
std::optional<DateTime> UsableDate(const std::optional<DateTime>& date) {
    return date && IsValidDate(*date) ? date : std::nullopt;
}

} // namespace

CountDownFields SplitRemaining(std::int32_t remaining) {
    const std::int32_t minutes = remaining / 60;
    const std::int32_t hours = minutes / 60;
    return {hours / 24, hours % 24, minutes % 60, remaining % 60};
}

std::wstring CountDownTip(std::int32_t remaining) {
    const CountDownFields f = SplitRemaining(remaining);
    std::wstring tip{kTipStart};
    tip += L"Count down: ";
    if (f.Days > 0) {
        tip += std::to_wstring(f.Days);
        tip += f.Days > 1 ? L" days, " : L" day, ";
    }
    AppendTwoDigits(tip, f.Hours);
    tip += L':';
    AppendTwoDigits(tip, f.Minutes);
    tip += L':';
    AppendTwoDigits(tip, f.Seconds);
    return tip;
}

std::wstring DestinationTip(std::wstring_view dateText) {
    std::wstring tip{kTipStart};
    tip += L" destination was ";
    tip += dateText;
    return tip;
}

std::int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) return 0;
    double whole = std::floor(value);
    const double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
    whole = std::clamp(whole, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                       static_cast<double>(std::numeric_limits<std::int32_t>::max()));
    return static_cast<std::int32_t>(whole);
}

void Scheduler::StartSchedule() {
    host_.HideOptions();
    PauseSeconds = static_cast<float>(ItemValue(kPauses, record_.Pause).value_or(kFallbackPauseSeconds));
    PauseStart = clock_.SecondsSinceMidnight();
    host_.StartTimer();
}

void Scheduler::CheckPassed() {
    // Applied settings decide afresh what is still to come: a showing held back for the former ones goes.
    Pending = false;
    if (record_.optDate()) {
        const auto date = UsableDate(record_.Date);
        Passed = !date || ToWholeSeconds(*date) < ToWholeSeconds(clock_.Now());
    } else if (record_.optEveryday()) {
        Passed = EverydaySeconds(record_.Everyday) < SecondsOfDay(clock_.Now(), true);
    }
}

void Scheduler::RestartPauseCount() {
    PauseStart = clock_.SecondsSinceMidnight();
}

void Scheduler::Show() {
    host_.ShowAffirmation();
    // The next pause counts from when the affirmation left the screen.
    PauseStart = clock_.SecondsSinceMidnight();
    Passed = true;
}

bool Scheduler::ShowPending(WhenToDisplay mode) {
    if (!Pending || host_.OptionsVisible() || host_.Closing() || !host_.Enabled()) return false;
    switch (OnDue(mode, host_.HeldBack())) {
    case DueOutcome::Pending: return false;
    // A pause begun while the showing waited takes it, as it would have taken it when it fell due.
    case DueOutcome::Skip: Pending = false; return false;
    case DueOutcome::Show: break;
    }
    Pending = false;
    Show();
    return true;
}

void Scheduler::tmrMessage_Timer() {
    // Read once: the tip refresh lets other handlers run in the middle of the tick.
    const WhenToDisplay mode = record_.When;

    const bool paused = host_.Paused();
    // The repeated showing's count starts afresh when a pause ends, rather than firing at once.
    if (WasPaused && !paused) RestartPauseCount();
    WasPaused = paused;
    if (ShowPending(mode)) return;

    std::int32_t remaining = 0;
    bool inChosenMinute = false;
    switch (mode) {
    case WhenToDisplay::Pause: {
        double elapsed = static_cast<double>(clock_.SecondsSinceMidnight()) - static_cast<double>(PauseStart);
        // The clock restarted at midnight while the pause ran; without this the count-down would
        // wait for the same second of the next day.
        if (elapsed < -kSecondsPerDay / 2) elapsed += kSecondsPerDay;
        remaining = RoundHalfEven(static_cast<double>(PauseSeconds) - elapsed);
        break;
    }
    case WhenToDisplay::Everyday: {
        const int chosen = EverydaySeconds(record_.Everyday);
        const int now = SecondsOfDay(clock_.Now(), true);
        if (chosen <= now) {
            remaining = kSecondsPerDay - (now - chosen);
            // Ticks drift and can skip the chosen second, so the whole chosen minute counts.
            // Outside it the day's showing is either done or not yet due; this also re-arms 00:00,
            // which never sees a time of day before it.
            inChosenMinute = now - chosen < kSecondsPerMinute;
            if (!inChosenMinute) Passed = false;
        } else {
            Passed = false;
            remaining = chosen - now;
        }
        break;
    }
    case WhenToDisplay::Date: {
        const auto date = UsableDate(record_.Date);
        const std::int64_t until =
            date ? ToWholeSeconds(*date) - ToWholeSeconds(clock_.Now()) : std::int64_t{0};
        // Beyond what the count-down can hold there is nothing to wait for: finish as if dealt with.
        const bool outOfReach = !date || until != ClampToInt32(until);
        remaining = ClampToInt32(until);
        if (outOfReach || (Passed && remaining < 0)) {
            // A showing held back still has to come: the ticks go on until it has.
            if (!Pending) host_.StopTimer();
            SetTip(paused ? host_.PausedTip()
                          : DestinationTip(date ? DateAndTimeText(formats_, *date) : std::wstring{}));
            return;
        }
        break;
    }
    }

    SetTip(paused ? host_.PausedTip() : CountDownTip(remaining));

    // After the refresh: a double click during it may have opened the options window.
    if (host_.OptionsVisible() || host_.Closing() || !host_.Enabled()) {
        host_.StopTimer();
        return;
    }

    // A whole number of days before a single date is not the date itself.
    const bool due = mode == WhenToDisplay::Everyday ? inChosenMinute && !Passed : remaining <= 0;
    if (!due) return;
    switch (OnDue(mode, host_.HeldBack())) {
    case DueOutcome::Show: Show(); return;
    case DueOutcome::Pending: Pending = true; break; // several held back make one
    case DueOutcome::Skip: break;
    }
    // Dealt with as if shown: the pause counts again, the day's showing is done.
    PauseStart = clock_.SecondsSinceMidnight();
    Passed = true;
}

void Scheduler::SetTip(std::wstring tip) {
    host_.SetToolTipText(std::move(tip));
    if (!host_.PopupMenuVisible()) host_.RefreshTray();
}

} // namespace uplift

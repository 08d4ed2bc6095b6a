#include "app/pause_state.h"

#include "settings/registry.h"
#include "settings/registry_path.h"

namespace uplift::win {

namespace {
constexpr wchar_t kPausedUntil[] = L"PausedUntil";
constexpr wchar_t kQuiet[] = L"QuietDuringFullScreen";
} // namespace

PauseState::PauseState(const Clock& clock, const TimeZone& zone) : clock_(clock), zone_(zone) {
    end_ = StoredPauseEnd(ReadUserString(kProgramSettingsPath, kPausedUntil), clock_.UtcSeconds());
    // Anything but a stored 0 keeps the default, quiet.
    quiet_ = ReadUserDword(kProgramSettingsPath, kQuiet) != 0u;
}

// Failures to store are not reported: the pause runs all the same, only not across a restart.
void PauseState::Start(PauseChoice choice) {
    end_ = PauseEnd(choice, clock_.UtcSeconds(), zone_);
    (void)RegistrySettingsStore(std::wstring(kProgramSettingsPath)).Write(kPausedUntil, PauseEndText(*end_));
}

void PauseState::Resume() {
    end_.reset();
    (void)RegistrySettingsStore(std::wstring(kProgramSettingsPath)).Write(kPausedUntil, L"");
}

void PauseState::SetQuiet(bool quiet) {
    quiet_ = quiet;
    (void)WriteUserDword(kProgramSettingsPath, kQuiet, quiet ? 1 : 0);
}

} // namespace uplift::win
